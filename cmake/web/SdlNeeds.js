// Emscripten adds the JavaScript helpers that SDL's audio calls (to start the browser's audio
// once the page has been clicked, and to call back into the program) only when it links its
// own SDL port. The game links SDL built from Debian's sources instead, so it asks for them
// here: linking this one function brings in what it depends on.
mergeInto(LibraryManager.library, {
  velmoor_sdl_needs__deps: ['$autoResumeAudioContext', '$dynCall'],
  velmoor_sdl_needs: function() {},
});
