# The Debian package, built by CPack's DEB generator: scripts/package configures and checks it.
# It holds exactly what `cmake --install` puts under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pexilon)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# pexilon_VERSION-REVISION_ARCH.deb. The Debian revision names the release the package is
# built on (scripts/package passes 1~deb12, 1~deb13), so the packages of both releases sit on
# one page and an upgrade from one release to the next replaces one with the other.
set(PEXILON_DEBIAN_REVISION "" CACHE STRING "Debian revision of the package, such as 1~deb12")
if(PEXILON_DEBIAN_REVISION)
  set(CPACK_DEBIAN_PACKAGE_RELEASE ${PEXILON_DEBIAN_REVISION})
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_CONTACT "Pexilon maintainers <maintainers@users.noreply.c-seed-d27e162e.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade shooter: hold the lane, claim the crates")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Your ship slides along the bottom of the screen and fires volleys upward;
yellow, blue and red monsters sink down the central lane, tougher and
faster with every wave. Crates beside the lane restore health or grant
more guns, more shot power and the supergun, and every monster that slips
past takes an upgrade back.
.
Games can be recorded and watched again, and pexilon-replay plays a
recorded game without a window, printing the state after every pass.]])
# Debian wants stripped programs and control files with fixed permissions.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

# SDL opens these with dlopen, so dpkg-shlibdeps never sees them: the X11 libraries its video
# uses and the GL and EGL loaders it makes the context with. The release's own SDL3 package
# depends on the X11 ones, and the game links libGL itself there; where SDL3 is linked into
# the game they are all named here. Built without Wayland, this SDL3 never opens xkbcommon.
if(NOT TARGET SDL3::SDL3-shared)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libx11-6, libxext6, libxrandr2, libxcursor1, libxi6, libxfixes3, libxss1, libgl1, libegl1")
else()
  # The release's SDL3 runs the game as a Wayland client where the desktop offers it, and makes
  # its GL context there through libEGL, which it opens itself and its package only recommends:
  # without it the window does not open. libGL the game links, so it is named already.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libegl1")
  # GNOME draws no title bar around a Wayland window, and the title carries the status line:
  # SDL draws one with a libdecor plugin.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libdecor-0-plugin-1-gtk | libdecor-0-plugin-1-cairo")
endif()

include(CPack)
