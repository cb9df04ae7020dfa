// The preview page: waits for the server's state, fetches the picture only when it changed,
// keeps the zoom across updates, lists the problems and marks the chosen one's place.
'use strict';

const $ = (id) => document.getElementById(id);
let version = -1;        // of the state shown
let pictureVersion = 0;  // of the picture shown
let view = null;         // the viewBox chosen by zoom and pan, kept across pictures
let problems = [];
let chosen = null;       // the chosen problem's where and text, to find it again after an update

const sleep = (ms) => new Promise((done) => setTimeout(done, ms));

// Tabs of one address share one waiting request: a browser opens six connections at most to
// one address, and a request waiting in every tab would leave none for a new tab's page. The
// tab holding the lock asks the server and tells the others; when it closes, another takes over.
const tabs = 'BroadcastChannel' in window && navigator.locks ? new BroadcastChannel('preview') : null;
let latest = null;      // the last state this tab had, for a tab that opens later
let leading = false;    // this tab asks the server for the others
let showing = Promise.resolve();  // states are shown one after the other, in the order they came

function receive(state) {
  latest = state;
  showing = showing.then(() => (state.version !== version ? show(state) : undefined))
    .catch(unanswered);
  return showing;
}

function unanswered() {
  $('status').textContent = 'the server does not answer';
  $('status').className = 'errors';
}

async function follow() {
  leading = true;
  for (;;) {
    try {
      const reply = await fetch('/state?since=' + version, { cache: 'no-store' });
      if (!reply.ok) throw new Error('state ' + reply.status);
      const state = await reply.json();
      if (tabs) tabs.postMessage(state);
      await receive(state);
    } catch (e) {
      if (tabs) tabs.postMessage(null);
      unanswered();
      await sleep(500);
    }
  }
}

function start() {
  if (!tabs) return follow();
  tabs.onmessage = (event) => {
    if (event.data === 'hello') {
      if (leading && latest) tabs.postMessage(latest);
    } else if (event.data === null) {
      unanswered();
    } else {
      receive(event.data);
    }
  };
  tabs.postMessage('hello');  // the tab that asks the server tells this one the state now
  // Held for the tab's life: granted when no other tab of this address holds it.
  navigator.locks.request('preview-follow', follow);
}

async function show(state) {
  // A version going back is a new run of serve, maybe on other files: its picture is new too.
  if (state.version < version) pictureVersion = 0;
  if (state.picture !== pictureVersion && state.picture > 0) {
    const reply = await fetch('/picture.svg', { cache: 'no-store' });
    if (reply.ok) {
      const made = Number(reply.headers.get('X-Picture-Version'));
      setPicture(await reply.text());
      pictureVersion = made;
    }
  }
  version = state.version;
  $('picture').classList.toggle('stale', state.stale);
  $('stale').hidden = !state.stale;
  $('summary').textContent = state.summary || '';
  showTimetable(state);
  const status = $('status');
  if (state.message) {
    status.textContent = 'cannot compile';
    status.className = 'errors';
  } else if (state.errors > 0) {
    status.textContent = plural(state.errors, 'error') + ', ' + plural(state.warnings, 'warning');
    status.className = 'errors';
  } else {
    status.textContent = 'ok, ' + plural(state.warnings, 'warning');
    status.className = 'ok';
  }
  $('updated').textContent = 'compiled at ' + state.time + ' in ' + state.milliseconds.toFixed(1) + ' ms';
  $('message').hidden = !state.message;
  $('message').textContent = state.message;
  showProblems(state.problems);
  document.body.dataset.version = String(version);
  document.body.dataset.picture = String(pictureVersion);
}

// How tight the picture's timetable is, beside the summary: red when a leg is late.
function showTimetable(state) {
  let line = $('timetable');
  if (!line) {
    line = document.createElement('span');
    line.id = 'timetable';
    $('summary').after(line);
  }
  line.textContent = state.timetable || '';
  line.hidden = !state.timetable;
  line.className = state.timetable_late ? 'late' : 'kept';
}

function plural(n, word) {
  return n + ' ' + word + (n === 1 ? '' : 's');
}

function showProblems(list) {
  problems = list;
  const ol = $('problems');
  ol.replaceChildren();
  let found = null;
  list.forEach((p, i) => {
    const li = document.createElement('li');
    li.className = p.error ? 'error' : 'warning';
    const where = document.createElement('span');
    where.className = 'where';
    where.textContent = p.where || 'the run';
    // The diagnostic's line wraps; the row and its caret keep their columns.
    const [line, ...row] = p.text.split('\n');
    const message = document.createElement('div');
    message.className = 'message';
    message.textContent = line;
    li.append(where, message);
    if (row.join('').trim()) {
      const text = document.createElement('pre');
      text.textContent = row.join('\n');
      li.append(text);
    }
    li.addEventListener('click', () => choose(i));
    ol.append(li);
    if (chosen && chosen.where === p.where && chosen.text === p.text) found = i;
  });
  $('no-problems').hidden = list.length > 0 || !!$('message').textContent;
  if (found === null) chosen = null;
  mark(found);
}

function choose(i) {
  chosen = { where: problems[i].where, text: problems[i].text };
  mark(i);
}

// Marks the problem's metre on the plan and across the profiles; no index clears the marks.
function mark(i) {
  document.querySelectorAll('#problems li').forEach((li, k) => li.classList.toggle('chosen', k === i));
  const svg = $('picture').querySelector('svg');
  if (!svg) return;
  svg.querySelectorAll('.problem-mark').forEach((e) => e.remove());
  if (i === null || i === undefined) return;
  const p = problems[i];
  if (p.metre === undefined) return;
  const ns = 'http://www.w3.org/2000/svg';
  const plan = svg.querySelector('g.plan');
  if (plan && p.plan) {
    const [ox, oy] = plan.dataset.origin.split(' ').map(Number);
    const scale = Number(plan.dataset.scale);
    const ring = document.createElementNS(ns, 'circle');
    ring.setAttribute('class', 'problem-mark');
    ring.setAttribute('cx', ox + p.plan[0] * scale);
    ring.setAttribute('cy', oy - p.plan[1] * scale);
    ring.setAttribute('r', 9);
    ring.setAttribute('fill', 'none');
    ring.setAttribute('stroke', '#e0115f');
    ring.setAttribute('stroke-width', 3);
    svg.append(ring);
  }
  const profiles = svg.querySelector('g.profiles');
  if (profiles && profiles.dataset.x0 !== undefined) {
    const x0 = Number(profiles.dataset.x0), x1 = Number(profiles.dataset.x1);
    const end = Number(profiles.dataset.axisEnd);
    const x = x0 + (x1 - x0) * Math.min(Math.max(p.metre, 0), end) / end;
    const box = profiles.getBBox();
    const line = document.createElementNS(ns, 'line');
    line.setAttribute('class', 'problem-mark');
    line.setAttribute('x1', x);
    line.setAttribute('x2', x);
    line.setAttribute('y1', box.y);
    line.setAttribute('y2', box.y + box.height);
    line.setAttribute('stroke', '#e0115f');
    line.setAttribute('stroke-width', 2);
    line.setAttribute('stroke-dasharray', '6 3');
    svg.append(line);
  }
}

function setPicture(text) {
  const holder = $('picture');
  holder.innerHTML = text;
  const svg = holder.querySelector('svg');
  if (!svg) return;
  svg.removeAttribute('width');
  svg.removeAttribute('height');
  svg.dataset.whole = svg.getAttribute('viewBox');
  if (view) svg.setAttribute('viewBox', view.join(' '));
}

function currentView(svg) {
  return svg.getAttribute('viewBox').split(/[ ,]+/).map(Number);
}

// The picture's point under the pointer, in the picture's own units.
function pointAt(svg, event) {
  const p = new DOMPoint(event.clientX, event.clientY);
  return p.matrixTransform(svg.getScreenCTM().inverse());
}

function setView(svg, box) {
  view = box;
  svg.setAttribute('viewBox', box.join(' '));
}

const holder = $('picture');
holder.addEventListener('wheel', (event) => {
  const svg = holder.querySelector('svg');
  if (!svg) return;
  event.preventDefault();
  const at = pointAt(svg, event);
  const [x, y, w, h] = currentView(svg);
  const f = Math.exp(event.deltaY * 0.0015);
  setView(svg, [at.x - (at.x - x) * f, at.y - (at.y - y) * f, w * f, h * f]);
}, { passive: false });

let drag = null;
holder.addEventListener('pointerdown', (event) => {
  const svg = holder.querySelector('svg');
  if (!svg || event.button !== 0) return;
  drag = { svg, start: pointAt(svg, event), box: currentView(svg) };
  holder.classList.add('dragging');
  holder.setPointerCapture(event.pointerId);
});
holder.addEventListener('pointermove', (event) => {
  if (!drag) return hover(event);
  const [x, y, w, h] = drag.box;
  drag.svg.setAttribute('viewBox', drag.box.join(' '));
  const at = pointAt(drag.svg, event);
  setView(drag.svg, [x - (at.x - drag.start.x), y - (at.y - drag.start.y), w, h]);
});
const endDrag = () => { drag = null; holder.classList.remove('dragging'); };
holder.addEventListener('pointerup', endDrag);
holder.addEventListener('pointercancel', endDrag);
holder.addEventListener('dblclick', () => {
  const svg = holder.querySelector('svg');
  if (!svg) return;
  view = null;
  svg.setAttribute('viewBox', svg.dataset.whole);
});

// Pointing at a marked thing (a station, signal, board, slowdown...) tells what it is.
function hover(event) {
  const box = $('hover');
  const target = event.target.closest ? event.target.closest('[data-m]') : null;
  if (!target) {
    box.hidden = true;
    return;
  }
  const metre = Number(target.dataset.m);
  // A dot without a title of its own is told by its label's, at the same metre.
  const title = target.querySelector('title') ||
      target.ownerSVGElement.querySelector('[data-m="' + target.dataset.m + '"] > title');
  // A title says what the thing is and where, in the words inspect prints; a thing without
  // one is told by its kind and place.
  const lines = [];
  if (title) {
    lines.push(title.textContent);
  } else {
    if (target.textContent) lines.push(target.textContent);
    const kind = (target.getAttribute('class') || '').replace(/-/g, ' ');
    if (kind) lines.push(kind);
    lines.push('at ' + metre + ' m (km ' + (metre / 1000).toFixed(3) + ')');
  }
  box.textContent = lines.join('\n');
  box.style.left = event.clientX + 14 + 'px';
  box.style.top = event.clientY + 14 + 'px';
  box.hidden = false;
}
holder.addEventListener('pointerleave', () => { $('hover').hidden = true; });

start();
