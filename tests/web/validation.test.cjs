// A value the translator refuses: Next shows the message box over the page,
// the test reads it and answers it, and the run ends cancelled with the
// project untouched. The journal, with the message it showed, replays.
'use strict';
const fs = require('fs');
const path = require('path');
const t = require('./support.cjs');

t.main('validation', async at => {
  const dir = t.scratch();
  const env = { WIZ_SETTINGS: path.join(dir, 'settings.ini') };
  const proj = t.project(dir, 'proj');
  const node = t.nodeId(proj, 'plate.stl');
  const before = t.wizhost(['project', 'tree', proj]).out;
  const journal = path.join(dir, 'session.agent');
  const run = t.startWeb(['run', 'translate', '--project', proj, '--node', node, '--web', '--journal', journal], env);
  at.defer(() => run.child.kill());
  const browser = await t.launch();
  at.defer(() => browser.close());
  const page = await t.newPage(browser, await run.url);

  await t.showing(page, t.idOf('IDD_TRANSLATOR_PAGE1'));
  // Context help: the title bar's "?", then the control.
  await page.getByRole('button', { name: '?' }).click();
  await page.getByRole('radio', { name: 'Inches' }).click();
  const popup = await page.locator('#help .popup').first().textContent();
  t.check(/^Help: topic \d+ of .+/.test(popup), 'the help pop-up says ' + JSON.stringify(popup));
  t.check(!(await page.getByRole('radio', { name: 'Inches' }).isChecked()),
    'the click for help also chose the units');
  await page.getByRole('button', { name: 'Next >' }).click();
  await t.showing(page, t.idOf('IDD_TRANSLATOR_PAGE2'));
  await page.getByRole('radio', { name: 'Edge Length:' }).click();
  await page.locator('[data-id="' + t.idOf('IDC_TRANS_EDGE_LENGTH') + '"]').fill('two');
  await page.getByRole('button', { name: 'Next >' }).click();

  const box = page.getByRole('alertdialog');
  await box.waitFor();
  const message = await box.locator('.message').textContent();
  t.check(message === 'Please enter a number.', 'the message box says ' + JSON.stringify(message));
  await t.screenshot(page, 'validation-1-message');
  await box.getByRole('button', { name: 'OK' }).click();
  await box.waitFor({ state: 'detached' });
  // The page stays, and the refused field has the focus.
  await t.showing(page, t.idOf('IDD_TRANSLATOR_PAGE2'));
  await page.waitForSelector('[data-id="' + t.idOf('IDC_TRANS_EDGE_LENGTH') + '"].focus');
  await t.screenshot(page, 'validation-2-back-on-the-page');
  await page.getByRole('button', { name: 'Cancel' }).click();

  const web = await t.ended(run);
  t.check(web.code === 1, 'a cancelled run ended with ' + web.code + ': ' + web.err);
  t.check(t.wizhost(['project', 'tree', proj]).out === before, 'the cancelled run changed the project');

  // The same steps from the journal show the same message.
  fs.appendFileSync(journal, 'expect message ' + message + '\n');
  const replay = t.wizhost(['run', 'translate', '--project', proj, '--node', node, '--script', journal], env);
  t.check(replay.code === 1, 'the replay ended with ' + replay.code + ': ' + replay.err + '\n' +
    fs.readFileSync(journal, 'utf8'));
});
