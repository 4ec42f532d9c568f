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

let state = null;
// Figures a test (or a curious user) can read: pictures shown and when.
const consoleStats = { pictures: 0, firstPictureAt: 0, lastPictureAt: 0, recent: [] };
window.consoleStats = consoleStats;

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

let loading = false;
let shownSerial = -1;

function requestPicture() {
  if (loading || !state || state.serial === shownSerial) return;
  loading = true;
  const serial = state.serial;
  picture.onload = () => {
    loading = false;
    shownSerial = serial;
    $('waiting').hidden = true;
    const now = performance.now();
    consoleStats.pictures += 1;
    if (!consoleStats.firstPictureAt) consoleStats.firstPictureAt = now;
    consoleStats.lastPictureAt = now;
    consoleStats.recent.push(now);
    while (consoleStats.recent.length > 0 && now - consoleStats.recent[0] > 2000) consoleStats.recent.shift();
    requestPicture();
  };
  picture.onerror = () => {
    loading = false;
    setTimeout(requestPicture, 500);
  };
  picture.src = '/api/window.png?serial=' + serial;
}

// Fits the 4:3 window into the stage.
function fitPicture() {
  const stage = $('stage');
  const width = state ? state.window.width : 1280;
  const height = state ? state.window.height : 960;
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
