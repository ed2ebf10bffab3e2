'use strict';
// The page around the game: it checks that the browser can run it, loads it when the player
// presses Play (or at once when the address carries a command line), keeps the player's files
// in the browser's storage, and offers another game when one ends.
//
// index.html?args=--seed%205%20--frames%20100 gives the game the desktop's command line; its
// standard output goes to the console (console.log), its standard error to console.error, and
// when it ends the document's title becomes "exit N". window.velmoor is the running module, so
// a test can read what the game wrote (velmoor.FS.readFile) after it ended.
(function () {
  const PLAYER_FOLDER = '/player';
  // Keys the game uses that would otherwise scroll the page or move the focus off the canvas.
  const PAGE_KEYS = new Set(['ArrowUp', 'ArrowDown', 'ArrowLeft', 'ArrowRight', 'Space',
                             'PageUp', 'PageDown', 'Home', 'End', 'Tab']);

  const page = {
    module: null,        // the game running or last run
    argv: [],            // its command line
    running: false,
    saving: false,       // an FS.syncfs to the browser's storage is under way
    saveAgain: false,    // and another write came while it ran
    savedWaiters: [],
  };
  window.velmoorPage = page;

  const element = id => document.getElementById(id);

  // ---- What the browser lacks -----------------------------------------------------------

  function missingFeature() {
    if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
      return 'WebAssembly';
    }
    const gl = document.createElement('canvas').getContext('webgl2');
    if (!gl) return 'WebGL 2';
    const loser = gl.getExtension('WEBGL_lose_context');
    if (loser) loser.loseContext();
    return null;
  }

  function showUnsupported(feature) {
    element('screen').hidden = true;
    element('controls').hidden = true;
    const sentence = element('unsupported');
    sentence.textContent = `Velmoor cannot run in this browser: it needs WebGL 2 and WebAssembly, ` +
      `and this browser offers no ${feature.replace(' ', '\u00a0')} (it may be turned off in its settings, or its ` +
      `graphics driver blocked). A recent Firefox, Chrome, Edge or Safari plays it.`;
    sentence.hidden = false;
  }

  // ---- The curtain over the canvas: messages, the loading bar, Play ----------------------

  function say(text) { element('message').textContent = text; }

  function showCurtain(text, playLabel, afterGame = false) {
    say(text);
    element('curtain').classList.toggle('after-game', afterGame);
    element('loading').hidden = true;
    const play = element('play');
    play.textContent = playLabel;
    play.hidden = !playLabel;
    play.disabled = false;
    element('curtain').hidden = false;
  }

  function showLoading(fraction) {
    element('loading').hidden = false;
    element('loading-done').style.width = `${Math.round(Math.min(1, fraction) * 100)}%`;
  }

  // Emscripten reports "Downloading data... (loaded/total)" while the data arrive, then
  // "Running...", then "".
  let downloadReported = false;
  function setStatus(text) {
    const progress = /\((\d+)\/(\d+)\)/.exec(text);
    if (progress && Number(progress[2]) > 0) {
      downloadReported = true;
      say('Loading the ruin...');
      showLoading(Number(progress[1]) / Number(progress[2]));
    } else if (text) {
      say(text.startsWith('Running') ? 'Starting...' : text);
    }
  }

  // The run dependencies (the code, the data, the player's files, a replay) count down to 0.
  let mostDependencies = 0;
  function monitorRunDependencies(left) {
    mostDependencies = Math.max(mostDependencies, left);
    if (mostDependencies > 0 && !downloadReported) {
      showLoading((mostDependencies - left) / mostDependencies);
    }
  }

  // ---- The player's files in the browser's storage ---------------------------------------

  // Before main: the saved settings and records are read from IndexedDB into /player.
  function mountPlayerFiles(module) {
    const FS = module.FS;
    FS.mkdir(PLAYER_FOLDER);
    FS.mount(FS.filesystems.IDBFS, {}, PLAYER_FOLDER);
    module.ENV.XDG_CONFIG_HOME = `${PLAYER_FOLDER}/config`;
    module.ENV.XDG_DATA_HOME = `${PLAYER_FOLDER}/data`;
    module.addRunDependency('player-files');
    FS.syncfs(true, error => {
      if (error) {
        console.error(`velmoor page: your saved settings and records cannot be read (${error}); ` +
                      'this game starts without them');
      }
      module.removeRunDependency('player-files');
    });
  }

  // The game calls this after every completed write. One sync runs at a time; a write that
  // comes while one runs gets a sync of its own after it, so the last write is always saved.
  function persistFiles(module) {
    if (page.saving) {
      page.saveAgain = true;
      return;
    }
    page.saving = true;
    module.FS.syncfs(false, error => {
      if (error) console.error(`velmoor page: your settings or records could not be saved (${error})`);
      page.saving = false;
      if (page.saveAgain) {
        page.saveAgain = false;
        persistFiles(module);
        return;
      }
      for (const resolve of page.savedWaiters.splice(0)) resolve();
    });
  }

  function filesSaved() {
    return page.saving ? new Promise(resolve => page.savedWaiters.push(resolve)) : Promise.resolve();
  }

  // ---- The command line from the address ---------------------------------------------------

  // `?args=` holds the options URL-encoded, separated by spaces once decoded; null without it.
  function commandLine() {
    const args = new URLSearchParams(location.search).get('args');
    return args === null ? null : args.split(/\s+/).filter(word => word !== '');
  }

  // A replay named on the command line is fetched beside the page and written at the same
  // path in the game's file system (whose working folder is /) before main runs.
  function fetchReplay(argv) {
    const at = argv.indexOf('--replay');
    if (at < 0 || at + 1 >= argv.length) return null;
    const path = argv[at + 1];
    const bytes = fetch(path, {cache: 'no-store'})
      .then(response => {
        if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
        return response.arrayBuffer();
      })
      .then(buffer => ({data: new Uint8Array(buffer)}), error => ({error}));
    return {path, bytes};
  }

  function writeReplay(module, replay) {
    module.addRunDependency('replay');
    replay.bytes.then(({data, error}) => {
      if (error) {
        // The game itself then says the replay cannot be read, and exits with its code.
        console.error(`velmoor page: cannot fetch the replay ${replay.path}: ${error.message}`);
      } else {
        const path = replay.path.startsWith('/') ? replay.path : `/${replay.path}`;
        const folder = path.slice(0, path.lastIndexOf('/'));
        if (folder) module.FS.mkdirTree(folder);
        module.FS.writeFile(path, data);
      }
      module.removeRunDependency('replay');
    });
  }

  // ---- The game's code, loaded once; each game a new instance ------------------------------

  let factory = null;
  function loadFactory() {
    if (!factory) {
      factory = new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = 'velmoor.js';
        script.onload = () => resolve(window.createVelmoor);
        script.onerror = () => reject(new Error('velmoor.js could not be loaded'));
        document.body.appendChild(script);
      });
    }
    return factory;
  }

  // Each game draws on a canvas of its own: the last one's WebGL context and listeners go with it.
  function freshCanvas() {
    const old = element('canvas');
    const canvas = old.cloneNode(false);
    canvas.addEventListener('keydown', event => {
      if (PAGE_KEYS.has(event.code)) event.preventDefault();
    });
    canvas.addEventListener('blur', focusLost);
    old.replaceWith(canvas);
    return canvas;
  }

  // A hidden tab or a canvas without the keyboard pauses the game, as a desktop window that
  // loses the focus does.
  function focusLost() {
    if (page.running && page.module && page.module._velmoor_focus_lost) page.module._velmoor_focus_lost();
  }

  async function start(argv) {
    showCurtain('Loading...', null);
    mostDependencies = 0;
    downloadReported = false;
    document.title = 'Velmoor';
    const replay = fetchReplay(argv);
    let createVelmoor;
    try {
      createVelmoor = await loadFactory();
    } catch (error) {
      showCurtain(`The game could not be loaded: ${error.message}.`, 'Try again');
      element('play').onclick = () => start(argv);
      factory = null;   // the next try loads it afresh
      return;
    }
    const canvas = freshCanvas();
    const module = {
      arguments: argv,
      canvas,
      print: text => console.log(text),
      printErr: text => console.error(text),
      setStatus,
      monitorRunDependencies,
      preRun: [m => mountPlayerFiles(m), m => { if (replay) writeReplay(m, replay); }],
      onRuntimeInitialized: () => {
        page.running = true;
        element('curtain').hidden = true;
        canvas.focus({preventScroll: true});
      },
      onExit: code => ended(code, argv),
      onAbort: what => aborted(what, argv),
      persistFiles: () => persistFiles(module),
      // The game's error notice (the desktop's dialog box): said when the game has ended.
      showMessage: (caption, text, detail) => {
        page.notice = [caption, text, detail].filter(Boolean).join(' ');
      },
    };
    page.notice = '';
    page.module = window.velmoor = module;
    page.argv = argv;
    createVelmoor(module).catch(error => aborted(error, argv));
  }

  // The title says how the program ended only once its last files are in the browser's storage,
  // so whoever waits for it (a test, a reload) finds them there.
  async function ended(code, argv) {
    page.running = false;
    await filesSaved();
    document.title = `exit ${code}`;
    const text = code === 0 ? 'The game has ended.'
      : page.notice ? `${page.notice} (exit code ${code})`
      : `The game stopped with an error (exit code ${code}); the browser's console says why.`;
    showCurtain(text, 'Play again', true);
    element('play').onclick = () => start(argv);
  }

  function aborted(what, argv) {
    if (document.title === 'abort') return;   // reported already
    page.running = false;
    console.error(`velmoor page: the game stopped: ${what}`);
    document.title = 'abort';
    showCurtain("The game stopped unexpectedly; the browser's console says why.", 'Play again', true);
    element('play').onclick = () => start(argv);
  }

  // ---- Full screen ---------------------------------------------------------------------------

  function toggleFullScreen() {
    const screen = element('screen');
    if (document.fullscreenElement || document.webkitFullscreenElement) {
      (document.exitFullscreen || document.webkitExitFullscreen).call(document);
    } else {
      const request = screen.requestFullscreen || screen.webkitRequestFullscreen;
      const asked = request.call(screen);
      if (asked && asked.catch) asked.catch(error => console.error(`velmoor page: no full screen: ${error.message}`));
    }
    element('canvas').focus({preventScroll: true});
  }

  function fullScreenChanged() {
    const full = Boolean(document.fullscreenElement || document.webkitFullscreenElement);
    element('fullscreen').textContent = full ? 'Leave full screen' : 'Full screen';
    element('canvas').focus({preventScroll: true});
  }

  // ---- The page comes up ---------------------------------------------------------------------

  function setUp() {
    const missing = missingFeature();
    if (missing) {
      showUnsupported(missing);
      return;
    }
    const fullScreen = element('fullscreen');
    // The button must not take the keyboard from the canvas: that would pause the game.
    fullScreen.addEventListener('mousedown', event => event.preventDefault());
    fullScreen.addEventListener('click', toggleFullScreen);
    document.addEventListener('fullscreenchange', fullScreenChanged);
    document.addEventListener('webkitfullscreenchange', fullScreenChanged);
    document.addEventListener('visibilitychange', () => { if (document.hidden) focusLost(); });
    // An exception thrown out of the game's code ends it as surely as an abort does.
    window.addEventListener('error', event => { if (page.running) aborted(event.message, page.argv); });

    const argv = commandLine();
    if (argv) {
      start(argv);
      return;
    }
    // The Play click is also the gesture browsers want before they play sound.
    const play = element('play');
    play.onclick = () => start([]);
    loadFactory().then(() => { play.disabled = false; },
                       error => say(`The game could not be loaded: ${error.message}.`));
  }

  setUp();
})();
