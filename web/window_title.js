// The tab's title is the game's status line, which the game sets in every pass: the document
// is written only when the line has changed, which spares the page that work in most frames.
mergeInto(LibraryManager.library, {
  $shownWindowTitle: "({ text: null })",
  emscripten_set_window_title__deps: ['$shownWindowTitle'],
  emscripten_set_window_title: function (title) {
    var text = UTF8ToString(title);
    if (text === shownWindowTitle.text) return;
    shownWindowTitle.text = text;
    document.title = text;
  },
});
