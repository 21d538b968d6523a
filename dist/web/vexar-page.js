// The page around the game: its messages in words, its buttons and switch,
// the demos given to it, the tab's hiding, and the music's synthesiser
// (vexar-music.js, when the page has it). The game itself is vexar.js.
"use strict";

const page = {
  status: document.getElementById("status"),
  notices: document.getElementById("notices"),
  canvas: document.getElementById("canvas"),
  record: document.getElementById("record"),
  demoFile: document.getElementById("demoFile"),
};

// A message the player closes; never alert(), which would stop the game.
function showNotice(heading, words) {
  const box = document.createElement("div");
  box.className = "vexar-notice";
  box.setAttribute("role", "alert");
  if (heading) {
    const title = document.createElement("strong");
    title.textContent = heading;
    box.append(title, document.createElement("br"));
  }
  box.append(document.createTextNode(words));
  const close = document.createElement("button");
  close.textContent = "OK";
  close.onclick = () => box.remove();
  box.append(close);
  page.notices.append(box);
}

var Module = {
  canvas: page.canvas,
  print: text => console.log(text),
  printErr: text => console.error(text),
  setStatus: text => { page.status.textContent = text || "Click the picture to play."; },
  vexarNotice: showNotice,
  vexarRecords: () => page.record.checked,
};

// Without WebAssembly nothing at all would run: say so before the game tries.
if (typeof WebAssembly !== "object")
  showNotice("No WebAssembly", "This browser cannot run WebAssembly, which Vexar is built as. " +
             "Try a recent Firefox or Chromium.");

// The game reads the demo from the page's own file system, under its own name.
async function playDemo(file) {
  if (!Module.calledRun) return showNotice("Not yet", "The game is still loading.");
  const name = "/" + file.name.replace(/[\/\\]/g, "_");
  Module.FS.writeFile(name, new Uint8Array(await file.arrayBuffer()));
  Module.ccall("vexarPagePlayDemo", null, ["string"], [name]);
  page.canvas.focus();
}

document.getElementById("playDemo").onclick = () => page.demoFile.click();
page.demoFile.onchange = () => {
  if (page.demoFile.files.length) playDemo(page.demoFile.files[0]);
  page.demoFile.value = "";
};
document.addEventListener("dragover", event => {
  event.preventDefault();
  document.body.classList.add("dropping");
});
document.addEventListener("dragleave", () => document.body.classList.remove("dropping"));
document.addEventListener("drop", event => {
  event.preventDefault();
  document.body.classList.remove("dropping");
  const file = event.dataTransfer.files[0];
  if (file) playDemo(file);
});

document.getElementById("picture").onclick = () => {
  if (Module.calledRun) Module._vexarPageScreenshot();
  page.canvas.focus();
};
document.getElementById("fullScreen").onclick = () => {
  if (page.canvas.requestFullscreen) page.canvas.requestFullscreen();
  page.canvas.focus();
};
document.addEventListener("visibilitychange", () => {
  if (document.hidden && Module.calledRun) Module._vexarPageHidden();
});
