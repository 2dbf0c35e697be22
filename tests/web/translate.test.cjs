// The translator wizard finished by clicking and typing in Chromium writes the
// same mesh file as the script that takes the same steps, and the journal of
// the session replays to that file again.
'use strict';
const path = require('path');
const t = require('./support.cjs');

t.main('translate', async at => {
  const dir = t.scratch();
  const settings = name => ({ WIZ_SETTINGS: path.join(dir, name + '.ini') });
  const node = p => t.nodeId(p, 'plate.stl');

  const byScript = t.project(dir, 'script');
  const scripted = t.wizhost(['run', 'translate', '--project', byScript, '--node', node(byScript), '--script',
    path.join(t.source, 'data/scripts/translate-stl.script')], settings('script'));
  t.check(scripted.code === 0, 'the script run failed: ' + scripted.err);

  const byHand = t.project(dir, 'web');
  const journal = path.join(dir, 'session.agent');
  const run = t.startWeb(['run', 'translate', '--project', byHand, '--node', node(byHand), '--web', '--journal',
    journal], settings('web'));
  at.defer(() => run.child.kill());
  const url = await run.url;
  t.check(/^http:\/\/127\.0\.0\.1:\d+\/\?t=[0-9a-f]{32}$/.test(url), 'unexpected address ' + url);
  const browser = await t.launch();
  at.defer(() => browser.close());
  const page = await t.newPage(browser, url);

  await t.showing(page, t.idOf('IDD_TRANSLATOR_PAGE1'));
  await t.screenshot(page, 'translate-1-units');
  // The tetrahedral mesher is not for a surface model: drawn greyed.
  t.check(await page.locator('[data-id="' + t.idOf('IDC_TRANS_TET_MESH') + '"]').evaluate(
    e => e.classList.contains('disabled')), 'the tetrahedral choice is not greyed');
  await page.getByRole('radio', { name: 'Millimetres' }).click();
  await page.waitForSelector('[data-id="' + t.idOf('IDC_TRANS_MILLIMETRES') + '"] input:checked');
  await page.getByRole('button', { name: 'Next >' }).click();

  await t.showing(page, t.idOf('IDD_TRANSLATOR_PAGE2'));
  await page.getByRole('radio', { name: 'Edge Length:' }).click();
  await page.waitForSelector('[data-id="' + t.idOf('IDC_TRANS_ELEMENT_AIM') + '"]:disabled');
  await page.locator('[data-id="' + t.idOf('IDC_TRANS_EDGE_LENGTH') + '"]').fill('2');
  await t.screenshot(page, 'translate-2-density');
  await page.getByRole('button', { name: 'Next >' }).click();

  await t.showing(page, t.idOf('IDD_TRANSLATOR_PAGE4'));
  await page.getByRole('textbox', { name: 'Mesh description:' }).fill('Plate surface mesh');
  await page.getByRole('radio', { name: 'Translate the model now' }).click();
  await page.waitForSelector('[data-id="' + t.idOf('IDC_TRANS_TRANSLATE_NOW') + '"] input:checked');
  await t.screenshot(page, 'translate-3-submission');
  await page.getByRole('button', { name: 'Finish' }).click();
  await page.waitForSelector('body.ended');
  await t.screenshot(page, 'translate-4-finished');

  const web = await t.ended(run);
  t.check(web.code === 0, 'the web run ended with ' + web.code + ': ' + web.err);
  const file = t.resultFile(web);
  t.check(file === t.resultFile(scripted), 'the runs made ' + file + ' and ' + t.resultFile(scripted));
  t.check(file.endsWith('.092'), 'not a mesh file: ' + file);
  t.check(t.written(byHand, file) === t.written(byScript, file), file + ' differs from the script run\'s');

  const replayed = t.project(dir, 'replay');
  const replay = t.wizhost(['run', 'translate', '--project', replayed, '--node', node(replayed), '--script', journal],
    settings('replay'));
  t.check(replay.code === 0, 'the journal did not replay: ' + replay.err + '\n' + require('fs').readFileSync(journal));
  t.check(t.written(replayed, file) === t.written(byScript, file), 'the replayed ' + file + ' differs');
});
