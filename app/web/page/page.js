// The page of wizhost's web agent. It draws the window wizhost publishes at
// its template's pixels and turns every action of the person into one event,
// which wizhost carries out as the matching agent-script command. Nothing
// here decides anything about the dialog: every state comes from wizhost.
'use strict';
(() => {
  const token = new URLSearchParams(location.search).get('t') || '';
  // This page's own name: wizhost lets only the first page that acts drive the run.
  const client = Array.from(crypto.getRandomValues(new Uint8Array(12)), b => b.toString(16).padStart(2, '0')).join('');

  const IDOK = 1, IDCANCEL = 2, ID_WIZBACK = 12323, ID_WIZNEXT = 12324, ID_WIZFINISH = 12325;
  const BS_TYPEMASK = 0xF, BS_DEFPUSHBUTTON = 1;
  const ES_MULTILINE = 0x4, ES_PASSWORD = 0x20, ES_READONLY = 0x800, SS_TYPEMASK = 0x1F;
  const LVS_NOCOLUMNHEADER = 0x4000;

  let state = null;
  let version = 0;
  let helpMode = false;
  let ended = false;
  const queue = [];
  let sending = false;

  const $ = id => document.getElementById(id);
  const sleep = ms => new Promise(r => setTimeout(r, ms));

  function el(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  // A caption without its mnemonic marks ("&&" is one "&").
  function plain(text) {
    return (text || '').replace(/&(&?)/g, '$1');
  }

  function place(e, c) {
    e.style.left = c.x + 'px';
    e.style.top = c.y + 'px';
    e.style.width = c.w + 'px';
    e.style.height = c.h + 'px';
  }

  function showError(text) {
    const e = $('error');
    e.textContent = text;
    e.hidden = !text;
  }

  // ---- talking to wizhost ------------------------------------------------

  async function fetchWithin(url, options, ms) {
    const abort = new AbortController();
    const timer = setTimeout(() => abort.abort(), ms);
    try {
      return await fetch(url, Object.assign({ signal: abort.signal, cache: 'no-store' }, options));
    } finally {
      clearTimeout(timer);
    }
  }

  function send(fields) {
    if (ended) return;
    queue.push(fields);
    pump();
  }

  // Events go one at a time, in the order the person made them: a typed text
  // is in before the click that follows it. When one is refused, the ones
  // made after it meant something else and are dropped.
  async function pump() {
    if (sending) return;
    sending = true;
    while (queue.length) {
      const fields = queue.shift();
      let reply;
      try {
        const r = await fetchWithin('event?t=' + encodeURIComponent(token),
          { method: 'POST', body: new URLSearchParams(fields), headers: { 'X-Wiz-Client': client } }, 30000);
        reply = await r.json();
      } catch (e) {
        reply = { status: 'failed', error: 'wizhost is not answering' };
      }
      if (reply.status === 'done' || reply.status === 'busy') {
        showError('');
      } else {
        showError(reply.error || reply.status);
        queue.length = 0;
      }
    }
    sending = false;
  }

  async function poll() {
    let failures = 0;
    while (!ended) {
      try {
        const r = await fetchWithin('state?t=' + encodeURIComponent(token) + '&since=' + version, {}, 20000);
        if (r.status === 403) {
          $('status').textContent = 'This address has no valid token: open the address wizhost printed.';
          return;
        }
        const s = await r.json();
        failures = 0;
        if (!state || s.version !== version) {
          version = s.version;
          state = s;
          render();
        }
        if (s.ended) finish(s.result);
      } catch (e) {
        if (++failures >= 3) {
          finish('');
          $('status').textContent = 'wizhost is not answering: the run is over.';
          return;
        }
        await sleep(500);
      }
    }
  }

  function finish(result) {
    ended = true;
    document.body.classList.add('ended');
    $('status').textContent = result === 'finished' ? 'The wizard finished. You may close this page.'
      : result ? 'The run ended (' + result + '). You may close this page.' : '';
    for (const e of document.querySelectorAll('#stage button, #stage input, #stage select, #stage textarea'))
      e.disabled = true;
  }

  // ---- drawing -----------------------------------------------------------

  function render() {
    const stage = $('stage');
    // A text being typed survives a redraw made meanwhile.
    const active = document.activeElement;
    const kept = active && active.dataset && active.dataset.key && stage.contains(active)
      ? { key: active.dataset.key, value: active.value, dirty: active.value !== active.dataset.orig,
          start: active.selectionStart, end: active.selectionEnd }
      : null;
    stage.replaceChildren();
    const w = state.window;
    if (w && w.title !== undefined) stage.append(drawWindow(w));
    if (state.overlay) stage.append(drawOverlay(state.overlay));
    drawHelp(state.help || []);
    $('status').textContent = w && w.title !== undefined
      ? w.title + (w.template ? ' (dialog ' + w.template + ')' : '') : '';
    if (kept) {
      const e = stage.querySelector('[data-key="' + kept.key + '"]');
      if (e && !e.disabled) {
        if (kept.dirty) e.value = kept.value;
        e.focus();
        try { e.setSelectionRange(kept.start, kept.end); } catch (err) { /* not a text field */ }
      }
    }
  }

  function drawHelp(popups) {
    const help = $('help');
    help.replaceChildren();
    for (const p of popups)
      help.append(el('div', 'popup', 'Help: topic ' + p.context + ' of ' + (p.file || 'the help file')));
  }

  function drawWindow(w) {
    const win = el('div', 'window');
    win.setAttribute('role', 'dialog');
    win.setAttribute('aria-label', w.title);
    win.dataset.template = w.template;
    const bar = el('div', 'titlebar' + (helpMode ? ' helpmode' : ''));
    bar.append(el('span', 'title', w.title));
    if (w.contextHelp) {
      const q = el('button', 'whatsthis', '?');
      q.title = 'Help on a control: press, then click the control';
      q.addEventListener('click', () => { helpMode = !helpMode; bar.classList.toggle('helpmode', helpMode); });
      bar.append(q);
    }
    win.append(bar);
    const body = el('div', 'body');
    body.style.width = w.width + 'px';
    body.style.height = w.height + 'px';
    // In help mode the next click asks for help on what it lands on.
    body.addEventListener('click', e => {
      if (!helpMode) return;
      e.preventDefault();
      e.stopPropagation();
      helpMode = false;
      bar.classList.remove('helpmode');
      const target = e.target.closest('[data-id]');
      send(target && target.dataset.page ? { op: 'help', id: target.dataset.id } : { op: 'help' });
    }, true);
    body.addEventListener('contextmenu', e => {
      const target = e.target.closest('[data-id]');
      if (!target || !target.dataset.page) return;
      e.preventDefault();
      send({ op: 'help', id: target.dataset.id });
    });
    if (w.tabs.length) body.append(drawTabs(w));
    let label = null;
    for (const c of w.controls) {
      const e = drawControl(c, label, w);
      e.dataset.page = '1';
      body.append(e);
      // A label names the next control that is neither a label nor a group.
      if (c.kind === 'static') label = plain(c.text);
      else if (c.kind !== 'group') label = null;
    }
    for (const b of w.buttons) body.append(drawSheetButton(b));
    win.append(body);
    return win;
  }

  function drawTabs(w) {
    const row = el('div', 'tabs');
    row.setAttribute('role', 'tablist');
    row.style.left = '4px';
    row.style.top = '4px';
    w.tabs.forEach((caption, i) => {
      const t = el('button', i === w.activeTab ? 'active' : '', plain(caption));
      t.setAttribute('role', 'tab');
      t.setAttribute('aria-selected', String(i === w.activeTab));
      t.addEventListener('click', () => send({ op: 'tab', index: i }));
      row.append(t);
    });
    return row;
  }

  function common(e, c) {
    e.classList.add('ctl', c.kind);
    if (!c.enabled) e.classList.add('disabled');
    if (c.focus) e.classList.add('focus');
    e.dataset.id = c.id;
    place(e, c);
    return e;
  }

  function drawControl(c, label, w) {
    switch (c.kind) {
      case 'static': return drawStatic(c);
      case 'group': {
        const e = common(el('div'), c);
        e.append(el('span', '', plain(c.text)));
        return e;
      }
      case 'button': return drawButton(c, () => send({ op: 'click', id: c.id }));
      case 'check':
      case 'radio': return drawCheck(c);
      case 'edit': return drawEdit(c, label, w);
      case 'combo': return drawCombo(c, label);
      case 'list': return drawList(c, label, c.items.map(text => ({ cells: [text] })), c.selected);
      case 'listview': return drawListView(c, label);
      case 'grid': return drawGrid(c, label);
      default: return common(el('div'), c);
    }
  }

  function drawStatic(c) {
    const e = common(el('div', '', plain(c.text)), c);
    const type = c.style & SS_TYPEMASK;
    if (type === 1) e.classList.add('center');
    else if (type === 2) e.classList.add('right');
    else if (type === 0x10 || type === 0x11) e.classList.add('etched');
    else if (type >= 4 && type <= 9 || type === 0x12) e.classList.add('frame');
    return e;
  }

  function drawButton(c, onClick) {
    const e = common(el('button', '', plain(c.text)), c);
    e.type = 'button';
    e.disabled = !c.enabled;
    if ((c.style & BS_TYPEMASK) === BS_DEFPUSHBUTTON) e.classList.add('default');
    e.addEventListener('click', onClick);
    return e;
  }

  function drawCheck(c) {
    const e = common(el('label'), c);
    const box = el('input');
    box.type = c.kind === 'radio' ? 'radio' : 'checkbox';
    box.checked = c.checked;
    box.disabled = !c.enabled;
    box.dataset.key = c.id;
    e.append(box, el('span', '', plain(c.text)));
    // The box shows what wizhost says, not what the click would make of it.
    box.addEventListener('click', ev => {
      ev.preventDefault();
      send({ op: 'click', id: c.id });
    });
    return e;
  }

  // The default button, as Enter presses it.
  function pressDefault(w) {
    if (!w) return;
    const byId = id => w.buttons.find(b => b.id === id && b.enabled);
    if (byId(ID_WIZFINISH)) return send({ op: 'finish' });
    if (byId(ID_WIZNEXT)) return send({ op: 'next' });
    const d = w.controls.concat(w.buttons).find(b => b.kind === 'button' && b.enabled &&
      (b.style & BS_TYPEMASK) === BS_DEFPUSHBUTTON);
    if (d) send(w.buttons.includes(d) ? sheetButtonEvent(d) : { op: 'click', id: d.id });
  }

  function drawEdit(c, label, w) {
    const multiline = (c.style & ES_MULTILINE) !== 0;
    const e = common(el(multiline ? 'textarea' : 'input'), c);
    if (!multiline) e.type = (c.style & ES_PASSWORD) ? 'password' : 'text';
    e.value = c.text;
    e.dataset.orig = c.text;
    e.dataset.key = c.id;
    e.disabled = !c.enabled;
    e.readOnly = (c.style & ES_READONLY) !== 0;
    if (label) e.setAttribute('aria-label', label);
    const commit = () => {
      if (e.value !== e.dataset.orig) {
        e.dataset.orig = e.value;
        send({ op: 'type', id: c.id, text: e.value });
      }
    };
    e.addEventListener('change', commit);
    if (!multiline)
      e.addEventListener('keydown', ev => {
        if (ev.key !== 'Enter') return;
        ev.preventDefault();
        commit();
        pressDefault(w);
      });
    return e;
  }

  function drawCombo(c, label) {
    const box = Object.assign({}, c, { h: Math.min(c.h, 21) });
    if (c.dropDownList) {
      const e = common(el('select'), box);
      c.items.forEach((text, i) => e.append(new Option(text, String(i))));
      e.selectedIndex = c.selected.length ? c.selected[0] : -1;
      e.disabled = !c.enabled;
      e.dataset.key = c.id;
      if (label) e.setAttribute('aria-label', label);
      e.addEventListener('change', () => send({ op: 'select', id: c.id, index: e.value }));
      return e;
    }
    // A combo box with an edit: a choice from the list is a selection, anything else is typed.
    const wrap = common(el('div'), box);
    const input = el('input');
    input.style.cssText = 'width:100%;height:100%;box-sizing:border-box;font:inherit';
    input.value = c.editText;
    input.dataset.orig = c.editText;
    input.dataset.key = c.id;
    input.disabled = !c.enabled;
    input.setAttribute('list', 'items-' + c.id);
    if (label) input.setAttribute('aria-label', label);
    const list = el('datalist');
    list.id = 'items-' + c.id;
    for (const text of c.items) list.append(new Option(text));
    input.addEventListener('change', () => {
      if (input.value === input.dataset.orig) return;
      input.dataset.orig = input.value;
      const i = c.items.indexOf(input.value);
      send(i >= 0 ? { op: 'select', id: c.id, index: i } : { op: 'type', id: c.id, text: input.value });
    });
    wrap.append(input, list);
    return wrap;
  }

  // A click on a list's item, with the keys held, as the platform reads it.
  function listClick(c, i, selected, ev, multiple, extended) {
    if (!multiple) return send({ op: 'select', id: c.id, index: i });
    if (!extended) return send({ op: 'selection', id: c.id, how: selected ? 'remove' : 'add', index: i });
    if (ev.shiftKey) return send({ op: 'selection', id: c.id, how: 'extend', index: i });
    if (ev.ctrlKey || ev.metaKey) return send({ op: 'selection', id: c.id, how: selected ? 'remove' : 'add', index: i });
    return send({ op: 'select', id: c.id, index: i });
  }

  function drawList(c, label, rows, selected) {
    const e = common(el('div', 'list'), c);
    e.setAttribute('role', 'listbox');
    if (label) e.setAttribute('aria-label', label);
    if (c.multiple) e.setAttribute('aria-multiselectable', 'true');
    rows.forEach((row, i) => {
      const isSel = selected.includes(i);
      const r = el('div', 'row' + (isSel ? ' sel' : ''), row.cells[0]);
      r.setAttribute('role', 'option');
      r.setAttribute('aria-selected', String(isSel));
      if (c.enabled)
        r.addEventListener('mousedown', ev => {
          ev.preventDefault();
          listClick(c, i, isSel, ev, c.multiple, c.extended);
        });
      e.append(r);
    });
    return e;
  }

  function imageBox(index) {
    const b = el('span', 'img', index >= 0 ? String(index) : '');
    b.style.background = index >= 0 ? 'hsl(' + (index * 67 % 360) + ',60%,40%)' : 'transparent';
    if (index < 0) b.style.border = '0';
    return b;
  }

  function drawListView(c, label) {
    const e = common(el('div', 'list'), c);
    e.setAttribute('role', 'grid');
    if (label) e.setAttribute('aria-label', label);
    const table = el('table');
    const head = el('tr');
    const columns = c.columns.length ? c.columns : [{ heading: '', width: c.w - 6 }];
    for (const col of columns) {
      const th = el('th', '', col.heading);
      th.style.width = col.width + 'px';
      head.append(th);
    }
    if (c.style & LVS_NOCOLUMNHEADER) {
      // The widths still hold without the headings.
      for (const th of head.children) { th.textContent = ''; th.style.padding = '0'; th.style.border = '0'; th.style.height = '0'; }
    }
    table.append(head);
    c.rows.forEach((row, i) => {
      const tr = el('tr', row.selected ? 'sel' : '');
      tr.setAttribute('aria-selected', String(row.selected));
      row.cells.forEach((text, k) => {
        const td = el('td');
        if (k === 0) td.append(imageBox(row.image));
        td.append(document.createTextNode(text));
        tr.append(td);
      });
      if (c.enabled)
        tr.addEventListener('mousedown', ev => {
          ev.preventDefault();
          ev.stopPropagation();
          listClick(c, i, row.selected, ev, c.multiple, true);
        });
      table.append(tr);
    });
    e.append(table);
    // A click below the items clears a list that takes several.
    if (c.enabled && c.multiple)
      e.addEventListener('mousedown', ev => {
        if (ev.target === e || ev.target === table) send({ op: 'selection', id: c.id, how: 'clear' });
      });
    return e;
  }

  function drawGrid(c, label) {
    const e = common(el('div', 'list'), c);
    if (label) e.setAttribute('aria-label', label);
    const table = el('table');
    const hidden = new Set(c.hiddenCols);
    const shown = c.cells.length ? c.cells[0].map((_, k) => k).filter(k => !hidden.has(k)) : [];
    const width = Math.max(24, Math.floor((c.w - 6) / Math.max(1, shown.length)));
    c.cells.forEach((cells, r) => {
      const tr = el('tr');
      for (const k of shown) {
        const cell = cells[k];
        if (r === 0 || k === 0) {
          const th = el('th', '', cell.v);
          th.style.width = width + 'px';
          tr.append(th);
          continue;
        }
        const td = el('td', (cell.ro ? 'ro' : '') + (cell.grey ? ' grey' : ''));
        td.dataset.row = r;
        td.dataset.col = k;
        if (cell.ro || cell.grey || !c.enabled) {
          td.textContent = cell.v;
        } else if (cell.choices) {
          const s = el('select');
          s.dataset.key = c.id + ':' + r + ':' + k;
          for (const choice of cell.choices) s.append(new Option(choice, choice));
          s.value = cell.v;
          if (!cell.choices.includes(cell.v)) s.selectedIndex = -1;
          s.addEventListener('change', () => send({ op: 'cell', id: c.id, row: r, col: k, text: s.value }));
          td.append(s);
        } else {
          const input = el('input');
          input.value = cell.v;
          input.dataset.orig = cell.v;
          input.dataset.key = c.id + ':' + r + ':' + k;
          input.addEventListener('change', () => {
            if (input.value === input.dataset.orig) return;
            input.dataset.orig = input.value;
            send({ op: 'cell', id: c.id, row: r, col: k, text: input.value });
          });
          td.append(input);
        }
        tr.append(td);
      }
      table.append(tr);
    });
    e.append(table);
    return e;
  }

  function sheetButtonEvent(b) {
    switch (b.id) {
      case ID_WIZBACK: return { op: 'back' };
      case ID_WIZNEXT: return { op: 'next' };
      case ID_WIZFINISH: return { op: 'finish' };
      case IDOK: return { op: 'ok' };
      case IDCANCEL: return { op: 'cancel' };
      default: return { op: 'click', id: b.id };
    }
  }

  function drawSheetButton(b) {
    const e = drawButton(b, () => send(sheetButtonEvent(b)));
    // The sheet's buttons stand in its frame, below the page.
    e.style.top = b.y + 'px';
    return e;
  }

  // ---- message boxes and file dialogs ------------------------------------

  function drawOverlay(o) {
    const cover = el('div', 'overlay');
    const box = el('div', 'box');
    box.setAttribute('role', 'alertdialog');
    cover.append(box);
    if (o.kind === 'message') {
      box.setAttribute('aria-label', o.caption || 'Message');
      const bar = el('div', 'titlebar');
      bar.append(el('span', 'title', o.caption || ''));
      const content = el('div', 'content');
      const icon = el('div', 'icon ' + o.icon, o.icon === 'question' ? '?' : o.icon === 'stop' ? '×'
        : o.icon === 'information' ? 'i' : '!');
      content.append(icon, el('div', 'message', o.text));
      const buttons = el('div', 'buttons');
      for (const name of o.buttons) {
        const b = el('button', name === o.default ? 'default' : '', name);
        b.type = 'button';
        b.addEventListener('click', () => send({ op: 'answer', button: name }));
        buttons.append(b);
      }
      box.append(bar, content, buttons);
      setTimeout(() => { const d = box.querySelector('button.default'); if (d) d.focus(); }, 0);
      return cover;
    }
    box.setAttribute('aria-label', o.title || 'File');
    const bar = el('div', 'titlebar');
    bar.append(el('span', 'title', o.title || (o.kind === 'folder' ? 'Browse for Folder' : o.kind === 'save'
      ? 'Save As' : 'Open')));
    const fields = el('div', 'fields');
    if (o.filter) fields.append(el('div', 'filter', 'Files of type: ' + o.filter.split('|').filter((_, i) => i % 2 === 0 && _).join(', ')));
    const path = el('input');
    path.setAttribute('aria-label', o.kind === 'folder' ? 'Folder:' : 'File name:');
    const dir = o.initialDir ? o.initialDir.replace(/[\/\\]$/, '') + '/' : '';
    path.value = o.fileName ? (o.fileName.includes('/') ? o.fileName : dir + o.fileName) : dir;
    fields.append(el('div', '', o.kind === 'folder' ? 'Folder:' : 'File name:'), path);
    const buttons = el('div', 'buttons');
    const ok = el('button', 'default', o.kind === 'save' ? 'Save' : o.kind === 'folder' ? 'OK' : 'Open');
    ok.addEventListener('click', () => { if (path.value) send({ op: 'choose', path: path.value }); });
    const cancel = el('button', '', 'Cancel');
    cancel.addEventListener('click', () => send({ op: 'choose' }));
    path.addEventListener('keydown', ev => { if (ev.key === 'Enter') ok.click(); });
    buttons.append(ok, cancel);
    box.append(bar, fields, buttons);
    return cover;
  }

  poll();
})();
