// Drives the designer page of `linnet serve` in headless Chromium: the grid changes the
// symbology and the message, the preview follows, a refused BarHeight shows its error beside
// the property, and the PNG download decodes. Screenshots go to /tmp/serve-shots/.
// Usage: node designer_test.mjs LINNET_BINARY   (exit 77: no Chromium, skipped)
import { spawn, spawnSync } from "node:child_process";
import fs from "node:fs";
import net from "node:net";
import os from "node:os";
import path from "node:path";

const kChromium = "/usr/bin/chromium";
const kShots = "/tmp/serve-shots";
const kMessage = "Designer PDF417 test";

if (!fs.existsSync(kChromium)) {
  console.log(`SKIP: ${kChromium} is not installed (scripts/install-deps.sh installs it)`);
  process.exit(77);
}
const { default: puppeteer } = await import("puppeteer-core").catch(() => {
  console.error("puppeteer-core is missing: run npm ci in tests/browser (scripts/install-deps.sh does)");
  process.exit(1);
});

function freePort() {
  return new Promise((resolve) => {
    const s = net.createServer().listen(0, "127.0.0.1", () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
  });
}

function check(condition, what) {
  if (!condition) throw new Error("failed: " + what);
  console.log("ok: " + what);
}

const port = await freePort();
const server = spawn(process.argv[2], ["serve", "--listen", `127.0.0.1:${port}`], { stdio: "inherit" });
const profile = fs.mkdtempSync(path.join(os.tmpdir(), "linnet-chromium-"));
const downloads = fs.mkdtempSync(path.join(os.tmpdir(), "linnet-downloads-"));
fs.mkdirSync(kShots, { recursive: true });
let browser;
try {
  for (let i = 0; i < 100; ++i) {
    const up = await fetch(`http://127.0.0.1:${port}/healthz`).then((r) => r.ok, () => false);
    if (up) break;
    await new Promise((r) => setTimeout(r, 50));
  }
  browser = await puppeteer.launch({
    executablePath: kChromium,
    headless: "new",
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--no-first-run", `--user-data-dir=${profile}`],
  });
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });
  const external = [];
  page.on("request", (r) => { if (!r.url().startsWith(`http://127.0.0.1:${port}/`) && !r.url().startsWith("blob:")) external.push(r.url()); });
  await page.goto(`http://127.0.0.1:${port}/`, { waitUntil: "networkidle0" });
  await page.waitForSelector("#label[data-serial]");
  const serialOf = () => page.$eval("#label", (img) => Number(img.dataset.serial || 0));
  const waitForPreviewAfter = (serial) =>
    page.waitForFunction((s) => { const img = document.getElementById("label");
      return Number(img.dataset.serial || 0) > s && img.complete && img.naturalWidth > 0; }, {}, serial);

  const categories = await page.$$eval("#grid summary", (s) => s.map((e) => e.textContent));
  check(categories.length >= 5, "the grid groups the properties by category: " + categories.join(", "));
  const editors = await page.evaluate(() => ({
    symbology: document.getElementById("prop-Symbology").tagName,
    backColor: document.getElementById("prop-BackColor").type,
    showHRText: document.getElementById("prop-ShowHRText").type,
    barHeight: document.getElementById("prop-BarHeight").type,
  }));
  check(editors.symbology === "SELECT" && editors.backColor === "color" && editors.showHRText === "checkbox" &&
        editors.barHeight === "number", "each kind has its editor " + JSON.stringify(editors));
  await page.screenshot({ path: `${kShots}/designer-start.png` });

  const before = await serialOf();
  const sizeBefore = await page.$eval("#label", (img) => img.naturalWidth + "x" + img.naturalHeight);
  await page.select("#prop-Symbology", "qlxPDF417");
  const message = await page.$("#prop-message");
  await message.click({ clickCount: 3 });
  await message.type(kMessage);
  await waitForPreviewAfter(before);
  await new Promise((r) => setTimeout(r, 600));  // let the debounced typing settle
  const sizeAfter = await page.$eval("#label", (img) => img.naturalWidth + "x" + img.naturalHeight);
  check(sizeAfter !== sizeBefore, `the preview redrew as PDF417 (${sizeBefore} -> ${sizeAfter})`);
  await page.screenshot({ path: `${kShots}/designer-pdf417.png` });

  const barHeight = await page.$("#prop-BarHeight");
  const original = await page.$eval("#prop-BarHeight", (e) => e.value);
  await barHeight.click({ clickCount: 3 });
  await barHeight.type("0");
  await page.waitForFunction(() => document.getElementById("error-BarHeight").textContent.includes("6116"));
  const error = await page.$eval("#error-BarHeight", (e) => e.textContent);
  check(error.startsWith("Error 6116: Invalid value for BarHeight property."), "the error shows beside BarHeight: " + error);
  await page.screenshot({ path: `${kShots}/designer-error.png` });

  const beforeFix = await serialOf();
  await barHeight.click({ clickCount: 3 });
  await barHeight.type(original);
  await waitForPreviewAfter(beforeFix);
  check(await page.$eval("#error-BarHeight", (e) => e.textContent) === "", "the error clears once the value is taken");

  const cdp = await page.target().createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
  await page.click("#download-png");
  const file = path.join(downloads, "label.png");
  for (let i = 0; i < 100 && !fs.existsSync(file); ++i) await new Promise((r) => setTimeout(r, 100));
  check(fs.existsSync(file), "the PNG downloaded");
  const read = spawnSync("ZXingReader", ["-format", "PDF417", file], { encoding: "utf8" });
  check(read.stdout.includes(`Text:       "${kMessage}"`) || read.stdout.includes(kMessage),
        "the downloaded PNG decodes to the message");
  check(external.length === 0, "the page asked nothing of any other host " + external.join(" "));
  console.log("PASS");
} finally {
  if (browser) await browser.close();
  server.kill("SIGTERM");
  fs.rmSync(profile, { recursive: true, force: true });
  fs.rmSync(downloads, { recursive: true, force: true });
}
