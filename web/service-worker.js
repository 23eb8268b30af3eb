// Keeps the page's files, so that after one visit the game starts with the network off. The
// cache is named after the version: a new release's worker (its file differs in that name)
// fills a cache of its own on the next visit and drops the older ones when it takes over.
const cacheName = 'pexilon-@PROJECT_VERSION@';
const pageFiles = ['./', 'index.html', 'manifest.webmanifest', 'pexilon.js', 'pexilon.wasm',
  'pexilon.png', 'pexilon-192.png', 'pexilon-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(pageFiles)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('pexilon-') && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's own files from the cache (the page whatever its query, ?watch= included); anything
// else, a recording the site holds for example, from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept ?? fetch(event.request)));
});
