// The live console's page: shows the window picture and the state the
// server pushes on its event stream, and sends mouse, keys, input-box
// answers, time acceleration, panel choice and saving to its API.
'use strict';

// The console's panel areas the side panel names (the console's main panel
// layout; the others are listed by number).
const AREA_NAMES = {
  51: 'Terminal',
  100: 'Composer: function code',
  101: 'Composer: data A',
  102: 'Composer: data B',
  103: 'Composer: data C',
  104: 'Composer: data D',
  105: 'Composer: time offset',
  106: 'Relay angle',
  107: 'Transmission estimate',
  108: 'Light time',
  109: 'Host status',
  110: 'Clocks',
};
const TERMINAL_AREA = 51;
const HOST_STATUS_AREA = 109;
const CLOCKS_AREA = 110;

// Browser key codes (physical keys) to the simulator's key names.
const KEYS = (() => {
  const keys = {
    Semicolon: 'SEMICOLON', Period: 'PERIOD', Space: 'SPACE', Minus: 'MINUS',
    Backspace: 'BACK', Enter: 'ENTER', NumpadEnter: 'ENTER',
    ControlLeft: 'CTRL', ControlRight: 'CTRL',
    ArrowUp: 'UP', ArrowDown: 'DOWN', ArrowLeft: 'LEFT', ArrowRight: 'RIGHT',
  };
  for (let c = 65; c <= 90; ++c) keys['Key' + String.fromCharCode(c)] = String.fromCharCode(c);
  for (let d = 0; d <= 9; ++d) {
    keys['Digit' + d] = String(d);
    keys['Numpad' + d] = 'NUMPAD' + d;
  }
  return keys;
})();

const $ = (id) => document.getElementById(id);
const picture = $('window');
const context = picture.getContext('2d');

let state = null;
// Figures a test (or a curious user) can read: pictures shown and when, the
// bytes they took, published states the page never showed, and the times
// from a key to its effect in the picture (see consoleProbe).
const consoleStats = {
  pictures: 0, bytes: 0, missed: 0, shownSerial: 0, firstPictureAt: 0, lastPictureAt: 0, recent: [],
  keyLatencies: [],
};
window.consoleStats = consoleStats;
// A test arms it with a window rectangle [x, y, width, height]: the time from
// the next key pressed in the page to the first picture in which that
// rectangle differs is added to consoleStats.keyLatencies.
window.consoleProbe = null;

// ---- requests: one at a time, in order -------------------------------------

let sending = Promise.resolve();

function showMessage(text, isError) {
  const message = $('message');
  message.textContent = text;
  message.classList.toggle('error', Boolean(isError));
}

// Posts to the API after every earlier request has been answered, so that
// key presses and releases reach the simulation in the order they happened.
function post(path, params) {
  const request = sending.then(async () => {
    const response = await fetch(path, { method: 'POST', body: new URLSearchParams(params || {}) });
    const answer = await response.json().catch(() => ({ error: 'HTTP ' + response.status }));
    if (!response.ok) throw new Error(answer.error || 'HTTP ' + response.status);
    return answer;
  });
  sending = request.catch(() => {});
  return request;
}

function postAndReport(path, params) {
  return post(path, params).catch((error) => showMessage(error.message, true));
}

// ---- the picture -----------------------------------------------------------

// The `published` count of the states seen, by serial (the last few).
const publishedOf = new Map();
let shownPublished = 0;

function regionSignature(rect) {
  const data = context.getImageData(rect[0], rect[1], rect[2], rect[3]).data;
  let hash = 0;
  for (let i = 0; i < data.length; ++i) hash = (Math.imul(hash, 31) + data[i]) | 0;
  return hash;
}

function armProbe(rect) {
  window.consoleProbe = { rect, baseline: regionSignature(rect), keyAt: 0 };
}
window.armProbe = armProbe;

function pictureShown(serial, bytes) {
  consoleStats.shownSerial = serial;
  $('waiting').hidden = true;
  const now = performance.now();
  consoleStats.pictures += 1;
  consoleStats.bytes += bytes;
  if (!consoleStats.firstPictureAt) consoleStats.firstPictureAt = now;
  consoleStats.lastPictureAt = now;
  consoleStats.recent.push(now);
  while (consoleStats.recent.length > 0 && now - consoleStats.recent[0] > 2000) consoleStats.recent.shift();
  const published = publishedOf.get(serial);
  if (published !== undefined) {
    if (shownPublished && published > shownPublished + 1) consoleStats.missed += published - shownPublished - 1;
    shownPublished = Math.max(shownPublished, published);
  }
  const probe = window.consoleProbe;
  if (probe && probe.keyAt && regionSignature(probe.rect) !== probe.baseline) {
    consoleStats.keyLatencies.push(now - probe.keyAt);
    window.consoleProbe = null;
  }
}

// A picture from the API: its bitmap, bytes and headers.
async function fetchPicture(path) {
  const response = await fetch(path, { cache: 'no-store' });
  if (!response.ok) throw new Error('HTTP ' + response.status);
  const blob = await response.blob();
  return { response, bitmap: await createImageBitmap(blob), bytes: blob.size };
}

// Whole pictures (okulsim serve --pictures whole): the latest state's
// picture, one request at a time.
let loading = false;

function requestWholePicture() {
  if (loading || !state || state.serial === consoleStats.shownSerial) return;
  loading = true;
  const serial = state.serial;
  fetchPicture('/api/window.png?serial=' + serial)
    .then(({ bitmap, bytes }) => {
      context.drawImage(bitmap, 0, 0);
      bitmap.close();
      pictureShown(serial, bytes);
      loading = false;
      requestWholePicture();
    })
    .catch(() => {
      loading = false;
      setTimeout(requestWholePicture, 500);
    });
}

// Changes (the default): for every state, what changed since the state
// before, asked for as the state arrives and painted in order over the
// picture the page has. A whole picture to start with, and whenever the
// server no longer has the changes at hand.
let requestedSerial = 0;
let painting = Promise.resolve();

function requestChanges() {
  if (!state || state.serial === requestedSerial) return;
  const since = requestedSerial;
  const serial = state.serial;
  requestedSerial = serial;
  const answer = fetchPicture('/api/picture?since=' + since + '&serial=' + serial);
  painting = painting
    .then(() => answer)
    .then(({ response, bitmap, bytes }) => {
      const from = Number(response.headers.get('X-Picture-Since'));
      const to = Number(response.headers.get('X-Picture-Serial'));
      const shown = consoleStats.shownSerial;
      // Changes apply over a picture at least as new as their start; a
      // whole picture over anything older.
      if (to > shown && (from === 0 || from <= shown)) {
        for (const [x, y, width, height, atlasX, atlasY] of JSON.parse(response.headers.get('X-Picture-Pieces')))
          context.drawImage(bitmap, atlasX, atlasY, width, height, x, y, width, height);
        pictureShown(to, bytes);
      } else if (from > shown) {
        // A gap (a request failed): the next asks from what is shown.
        requestedSerial = shown;
      }
      bitmap.close();
    })
    .catch(() => {
      requestedSerial = consoleStats.shownSerial;
      setTimeout(requestChanges, 500);
    });
}

function requestPicture() {
  if (state && state.pictures === 'whole') requestWholePicture();
  else requestChanges();
}

// Fits the 4:3 window into the stage.
function fitPicture() {
  const stage = $('stage');
  const width = picture.width;
  const height = picture.height;
  const scale = Math.min((stage.clientWidth - 16) / width, (stage.clientHeight - 16) / height);
  picture.style.width = Math.max(1, Math.floor(width * scale)) + 'px';
  picture.style.height = Math.max(1, Math.floor(height * scale)) + 'px';
}

// The panel pixel under a mouse event, or null outside the panel's picture.
function panelPoint(event) {
  if (!state || !state.panel || !state.panel.picture) return null;
  const box = picture.getBoundingClientRect();
  const wx = ((event.clientX - box.left) / box.width) * state.window.width;
  const wy = ((event.clientY - box.top) / box.height) * state.window.height;
  const place = state.panel.picture;
  const x = Math.floor(wx - place.left);
  const y = Math.floor(wy - place.top);
  if (x < 0 || y < 0 || x >= place.width || y >= place.height) return null;
  return { x, y };
}

let mouseHeld = false;

picture.addEventListener('mousedown', (event) => {
  if (event.button !== 0) return;
  event.preventDefault();
  const point = panelPoint(event);
  if (!point) return;
  mouseHeld = true;
  postAndReport('/api/mouse', { action: 'down', x: point.x, y: point.y });
});

window.addEventListener('mouseup', (event) => {
  if (event.button !== 0 || !mouseHeld) return;
  mouseHeld = false;
  postAndReport('/api/mouse', { action: 'up' });
});

// ---- the keyboard --------------------------------------------------------

const heldKeys = new Set();

function typingInPage(event) {
  const target = event.target;
  return $('input-dialog').open || (target && (target.tagName === 'INPUT' || target.tagName === 'TEXTAREA'));
}

document.addEventListener('keydown', (event) => {
  if (typingInPage(event)) return;
  if (window.consoleProbe && !window.consoleProbe.keyAt) window.consoleProbe.keyAt = performance.now();
  const name = KEYS[event.code];
  if (!name || event.altKey || event.metaKey) return;
  // Ctrl goes with the arrows (panel switching); the browser keeps its own
  // shortcuts (reload, copy).
  if (event.ctrlKey && !/^(Arrow|Control)/.test(event.code)) return;
  event.preventDefault();
  // The simulator holds the key itself until it is released: the browser's
  // own repeats are not sent.
  if (event.repeat || heldKeys.has(event.code)) return;
  heldKeys.add(event.code);
  postAndReport('/api/key', { name, action: 'down' });
});

document.addEventListener('keyup', (event) => {
  if (!heldKeys.has(event.code)) return;
  event.preventDefault();
  heldKeys.delete(event.code);
  postAndReport('/api/key', { name: KEYS[event.code], action: 'up' });
});

// Keys and the button held when the page loses the focus are released.
function releaseEverything() {
  for (const code of heldKeys) postAndReport('/api/key', { name: KEYS[code], action: 'up' });
  heldKeys.clear();
  if (mouseHeld) {
    mouseHeld = false;
    postAndReport('/api/mouse', { action: 'up' });
  }
}
window.addEventListener('blur', releaseEverything);
// A page that is closed or reloaded may not wait for answers: beacons.
window.addEventListener('pagehide', () => {
  for (const code of heldKeys) navigator.sendBeacon('/api/key', new URLSearchParams({ name: KEYS[code], action: 'up' }));
  heldKeys.clear();
  if (mouseHeld) navigator.sendBeacon('/api/mouse', new URLSearchParams({ action: 'up' }));
  mouseHeld = false;
});

// ---- the input box ---------------------------------------------------------

const dialog = $('input-dialog');
let dialogSerial = null;   // the box the dialog shows
let answeredSerial = null; // the box last answered or cancelled

function showInputBox(box) {
  $('input-box').textContent = box ? box.title + ': "' + box.text + '" (at most ' + box.limit + ' characters)' : 'none open';
  if (box && box.serial !== answeredSerial && !dialog.open) {
    dialogSerial = box.serial;
    $('input-title').textContent = box.title;
    $('input-text').value = box.text;
    $('input-text').maxLength = box.limit;
    $('input-error').textContent = '';
    releaseEverything();
    dialog.showModal();
    $('input-text').focus();
    $('input-text').select();
  } else if (!box && dialog.open) {
    dialog.close();
  }
}

$('input-form').addEventListener('submit', (event) => {
  event.preventDefault();
  const serial = dialogSerial;
  post('/api/input', { text: $('input-text').value })
    .then(() => {
      answeredSerial = serial;
      dialog.close();
    })
    .catch((error) => { $('input-error').textContent = error.message; });
});

function cancelInput() {
  const serial = dialogSerial;
  answeredSerial = serial;
  dialog.close();
  postAndReport('/api/cancel');
}
$('input-cancel').addEventListener('click', cancelInput);
dialog.addEventListener('cancel', (event) => {
  event.preventDefault();
  cancelInput();
});

// ---- controls ----------------------------------------------------------------

for (const button of document.querySelectorAll('[data-warp]')) {
  button.addEventListener('click', () => {
    button.blur();
    postAndReport('/api/warp', { factor: button.dataset.warp });
  });
}
$('pause').addEventListener('click', () => {
  $('pause').blur();
  postAndReport('/api/pause', { on: state && state.paused ? '0' : '1' });
});
for (const button of document.querySelectorAll('[data-panel]')) {
  button.addEventListener('click', () => {
    button.blur();
    postAndReport('/api/panel', { id: button.dataset.panel });
  });
}
$('save-form').addEventListener('submit', (event) => {
  event.preventDefault();
  const file = $('save-name').value;
  post('/api/save', { file })
    .then(() => showMessage('Saved ' + file + ' in the working folder.', false))
    .catch((error) => showMessage(error.message, true));
});

// ---- the map ---------------------------------------------------------------

const MAP_SIZE = 600;
const MAP_REFRESH_MS = 2500;
let mapTimer = null;

function showMap(map) {
  window.consoleMap = map;
  if (!map.vessel) {
    $('map-path-figures').textContent = 'no focus vessel with a reference body';
    return;
  }
  const scale = (MAP_SIZE / 2 - 30) / map.extentKm;
  const at = (x, y) => [MAP_SIZE / 2 + x * scale, MAP_SIZE / 2 - y * scale];
  const place = (element, x, y) => {
    const [px, py] = at(x, y);
    element.setAttribute('transform', 'translate(' + px.toFixed(1) + ' ' + py.toFixed(1) + ')');
  };
  $('map-body').setAttribute('r', (map.body.radiusKm * scale).toFixed(1));
  $('map-body').setAttribute('class', map.body.name);
  $('map-path').setAttribute('points', map.path.map(([x, y]) => at(x, y).map((v) => v.toFixed(1)).join(',')).join(' '));
  const [sx, sy] = at(map.path[0][0], map.path[0][1]);
  $('map-start').setAttribute('cx', sx.toFixed(1));
  $('map-start').setAttribute('cy', sy.toFixed(1));
  $('map-scale').textContent = (2 * map.extentKm).toFixed(0) + ' km across';
  $('map-path-figures').textContent = map.vessel + ' about ' + map.body.name + ', ' + map.days.toFixed(2) +
    ' days from MJD ' + map.mjd.toFixed(4);
  const p = map.periapsis;
  $('map-periapsis-mark').setAttribute('visibility', p ? 'visible' : 'hidden');
  if (p) place($('map-periapsis-mark'), p.x, p.y);
  $('map-periapsis').textContent = p
    ? 'MJD ' + p.mjd.toFixed(4) + ', R ' + p.radiusKm.toFixed(2) + ' km (' + p.altitudeKm.toFixed(1) +
      ' km up), longitude ' + p.longitudeDeg.toFixed(2) + '°, latitude ' + p.latitudeDeg.toFixed(2) + '°'
    : 'none within ' + map.days.toFixed(1) + ' days';
  const t = map.target;
  $('map-target-mark').setAttribute('visibility', t && t.shown ? 'visible' : 'hidden');
  if (t && t.shown) place($('map-target-mark'), t.x, t.y);
  $('map-target').textContent = t
    ? t.program + ': MJD ' + t.mjd.toFixed(4) + ', R ' + t.radiusKm.toFixed(2) + ' km, longitude ' +
      t.longitudeDeg.toFixed(2) + '°, latitude ' + t.latitudeDeg.toFixed(2) + '°' +
      (t.shown ? ', ' + t.missKm.toFixed(1) + ' km from the periapsis' : ' (over ' + t.body + ')')
    : 'no program run yet';
}

function refreshMap() {
  fetch('/api/map', { cache: 'no-store' })
    .then((response) => response.json())
    .then(showMap)
    .catch((error) => showMessage('map: ' + error.message, true));
}

$('map-toggle').addEventListener('click', () => {
  $('map-toggle').blur();
  const open = $('map-view').hidden;
  $('map-view').hidden = !open;
  $('map-toggle').setAttribute('aria-pressed', String(open));
  $('map-toggle').classList.toggle('current', open);
  clearInterval(mapTimer);
  mapTimer = null;
  if (open) {
    refreshMap();
    mapTimer = setInterval(refreshMap, MAP_REFRESH_MS);
  }
});

// ---- the state -----------------------------------------------------------------

function setLines(list, lines) {
  const text = JSON.stringify(lines || []);
  if (list.dataset.shown === text) return;
  list.dataset.shown = text;
  list.replaceChildren(...(lines || []).map((line) => {
    const item = document.createElement('li');
    item.textContent = line;
    return item;
  }));
}

function areaLines(id) {
  if (!state.panel) return null;
  const area = state.panel.areas.find((a) => a.id === id);
  return area ? area.lines : null;
}

function formatSeconds(seconds) {
  const days = Math.floor(seconds / 86400);
  const rest = seconds - days * 86400;
  const clock = new Date(rest * 1000).toISOString().substring(11, 19);
  return (days > 0 ? days + ' d ' : '') + clock;
}

function showAllAreas() {
  const holder = $('areas');
  if (!$('all-areas').open || !state.panel) return;
  const blocks = [];
  for (const area of state.panel.areas) {
    if (area.lines.length === 0) continue;
    blocks.push({ id: 'area-' + area.id, title: (AREA_NAMES[area.id] || 'Area') + ' (' + area.id + ')', lines: area.lines });
  }
  for (const mfd of state.panel.mfds) blocks.push({ id: 'mfd-' + mfd.index, title: 'MFD ' + mfd.index, lines: mfd.lines });
  const text = JSON.stringify(blocks);
  if (holder.dataset.shown === text) return;
  holder.dataset.shown = text;
  holder.replaceChildren(...blocks.flatMap((block) => {
    const heading = document.createElement('h3');
    heading.textContent = block.title;
    const list = document.createElement('ol');
    list.className = 'lines';
    list.id = block.id;
    setLines(list, block.lines);
    return [heading, list];
  }));
}
$('all-areas').addEventListener('toggle', () => state && showAllAreas());

function showState(next) {
  const firstState = !state;
  state = next;
  window.consoleState = state;
  publishedOf.set(state.serial, state.published);
  if (publishedOf.size > 500) publishedOf.delete(publishedOf.keys().next().value);
  if (firstState) fitPicture();
  const date = new Date((state.mjd - 40587) * 86400000);
  $('date').textContent = date.toISOString().replace('T', ' ').substring(0, 19);
  $('mjd').textContent = state.mjd.toFixed(6);
  $('sim-time').textContent = formatSeconds(state.simTime) + ' (' + state.simTime.toFixed(1) + ' s)';
  $('warp').textContent = '×' + state.warp + (state.paused ? ' — paused' : '');
  const recent = consoleStats.recent;
  $('page-rate').textContent = recent.length > 1
    ? ((recent.length - 1) / ((recent[recent.length - 1] - recent[0]) / 1000)).toFixed(1) + ' per second'
    : '–';
  for (const button of document.querySelectorAll('[data-warp]'))
    button.classList.toggle('current', Number(button.dataset.warp) === state.warp);
  $('pause').setAttribute('aria-pressed', String(state.paused));
  $('pause').textContent = state.paused ? 'Resume' : 'Pause';
  const panelId = state.panel ? state.panel.id : -1;
  for (const button of document.querySelectorAll('[data-panel]'))
    button.classList.toggle('current', Number(button.dataset.panel) === panelId);

  const notShown = ['(not on this panel)'];
  setLines($('terminal-lines'), areaLines(TERMINAL_AREA) || notShown);
  setLines($('host-status'), areaLines(HOST_STATUS_AREA) || notShown);
  setLines($('clocks'), areaLines(CLOCKS_AREA) || notShown);
  $('debug').textContent = state.debug;
  showInputBox(state.inputBox);
  showAllAreas();
  requestPicture();
}

function connect() {
  const events = new EventSource('/api/events');
  events.addEventListener('open', () => {
    $('connection').textContent = 'connected';
    $('connection').classList.remove('lost');
  });
  events.addEventListener('state', (event) => showState(JSON.parse(event.data)));
  events.addEventListener('error', () => {
    $('connection').textContent = 'connection lost: reconnecting…';
    $('connection').classList.add('lost');
  });
}

window.addEventListener('resize', fitPicture);
fitPicture();
connect();
