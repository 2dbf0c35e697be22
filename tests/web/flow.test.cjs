// A fill-and-pack analysis prepared in the flow wizard by clicking, choosing
// and typing in Chromium finishes with the same analysis input as the script
// that takes the same steps.
'use strict';
const path = require('path');
const t = require('./support.cjs');

t.main('flow', async at => {
  const dir = t.scratch();
  const settings = name => ({ WIZ_SETTINGS: path.join(dir, name + '.ini') });
  const node = p => t.nodeId(p, 'material1.mtl');
  const byScript = t.project(dir, 'script');
  const scripted = t.wizhost(['run', 'flow', '--project', byScript, '--node', node(byScript), '--script',
    path.join(t.source, 'data/scripts/flow-fill-pack.script')], settings('script'));
  t.check(scripted.code === 0, 'the script run failed: ' + scripted.err);

  const byHand = t.project(dir, 'web');
  const run = t.startWeb(['run', 'flow', '--project', byHand, '--node', node(byHand), '--web'], settings('web'));
  at.defer(() => run.child.kill());
  const browser = await t.launch();
  at.defer(() => browser.close());
  const page = await t.newPage(browser, await run.url);
  const control = symbol => page.locator('[data-id="' + t.idOf(symbol) + '"]');

  await t.showing(page, t.idOf('IDD_FLOW_PAGE1'));
  await t.screenshot(page, 'flow-1-analysis');
  await page.getByRole('button', { name: 'Next >' }).click();

  await t.showing(page, t.idOf('IDD_FLOW_PAGE2'));
  await control('IDC_FLOW_BC_LIST').locator('tr', { hasText: 'flow.bf3' }).click();
  await page.waitForSelector('[data-id="' + t.idOf('IDC_FLOW_BC_LIST') + '"] tr.sel');
  await control('IDC_FLOW_MELT_TEMP').fill('240');
  await t.screenshot(page, 'flow-2-conditions');
  await page.getByRole('button', { name: 'Next >' }).click();

  await t.showing(page, t.idOf('IDD_FLOW_PAGE3'));
  await control('IDC_FLOW_INJECTION').selectOption({ label: 'Injection time' });
  await control('IDC_FLOW_INJECTION_TIME').fill('0.9');
  await control('IDC_FLOW_SWITCH_OVER').selectOption({ label: 'Volume' });
  // The volume's field shows once the choice has been made.
  await control('IDC_FLOW_SWITCH_VOLUME').fill('97');
  await t.screenshot(page, 'flow-3-process');
  await page.getByRole('button', { name: 'Next >' }).click();

  await t.showing(page, t.idOf('IDD_FLOW_PAGE5'));
  await control('IDC_FLOW_DESCRIPTION').fill('Fill and pack, PP at 240 deg.C');
  await control('IDC_FLOW_RUN_NOW').click();
  await page.waitForSelector('[data-id="' + t.idOf('IDC_FLOW_RUN_NOW') + '"] input:checked');
  await t.screenshot(page, 'flow-4-submission');
  await page.getByRole('button', { name: 'Finish' }).click();

  const web = await t.ended(run);
  t.check(web.code === 0, 'the web run ended with ' + web.code + ': ' + web.err);
  const file = t.resultFile(web);
  t.check(file === t.resultFile(scripted), 'the runs made ' + file + ' and ' + t.resultFile(scripted));
  t.check(t.written(byHand, file) === t.written(byScript, file), file + ' differs from the script run\'s');
});
