// The page's frame rate while panning, shared by the browser test and
// bench/page_bench.mjs: one fiftieth of `span` (route metres in view) a
// frame, back and forth between the line's ends, for two seconds.  Resolves
// with the frames a second and the page's last drawing time in ms.
export const panRate = (page, span) =>
  page.evaluate(async (span) => {
    window.scenarioPage.setView(0, span);
    await new Promise((done) => requestAnimationFrame(done));
    const frames = window.scenarioPage.frames();
    const started = performance.now();
    let step = span / 50;
    await new Promise((done) => {
      const move = () => {
        const [first, last] = window.scenarioPage.view();
        if (last + step > 1000000 || first + step < 0) step = -step;
        window.scenarioPage.setView(first + step, last + step);
        if (performance.now() - started < 2000) requestAnimationFrame(move);
        else done();
      };
      requestAnimationFrame(move);
    });
    const seconds = (performance.now() - started) / 1000;
    return { fps: (window.scenarioPage.frames() - frames) / seconds, drawMs: window.scenarioPage.drawMs() };
  }, span);
