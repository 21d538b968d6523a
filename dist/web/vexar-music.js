// The song's synthesiser in the page: FluidSynth built for the web
// (js-synthesizer) in an AudioWorklet, on vexar-song.sf2, the SoundFont the
// desktop game finds cut to what the song plays. The game's own sequencer
// sends each message when it falls (Module.vexarMusic, called by the game);
// this only sounds them, as the desktop game's FluidSynth does: the same
// rate, voices and gain. Browsers hold audio until the player's first click
// or key, so the song is held at its start until then.
"use strict";

(function () {
  // As the desktop game's synthesiser: its rate, its voices, FluidSynth's
  // own gain under the player's music volume.
  const kRate = 44100;
  const kPolyphony = 96;
  const kGain = 0.2;

  const music = {
    opened: false,
    context: null,
    synth: null,
    analyser: null,
    font: -1,       // FluidSynth's id of the loaded SoundFont
    ready: false,   // the synthesiser has its font and plays
    failed: false,  // no audio in this page: the song goes nowhere
    loading: null,
    volumeScale: 1,
    songPresets: [],
    noteOns: 0,     // note-ons sounded, for the page's tests
  };

  function loadScript(name) {
    return new Promise((done, fail) => {
      const script = document.createElement("script");
      script.src = name;
      script.onload = done;
      script.onerror = () => fail(new Error(name + " did not load"));
      document.head.append(script);
    });
  }

  // The audio context runs from the first click or key on (browsers refuse
  // sound before one).
  function resumeOnGesture(context) {
    const resume = () => {
      if (music.opened && context.state === "suspended") context.resume();
    };
    for (const kind of ["pointerdown", "keydown", "touchend"])
      document.addEventListener(kind, resume, { capture: true });
    resume();
  }

  function running() { return music.ready && music.context.state === "running"; }

  function selectPresets() {
    for (const p of music.songPresets)
      music.synth.midiProgramSelect(p.channel, music.font, p.bank, p.program);
  }

  async function load() {
    const context = new AudioContext({ sampleRate: kRate });
    music.context = context;
    resumeOnGesture(context);
    const [, , font] = await Promise.all([
      loadScript("js-synthesizer.min.js"),
      context.audioWorklet.addModule("libfluidsynth.js")
        .then(() => context.audioWorklet.addModule("js-synthesizer.worklet.min.js")),
      fetch("vexar-song.sf2").then(answer => {
        if (!answer.ok) throw new Error("vexar-song.sf2: " + answer.status);
        return answer.arrayBuffer();
      }),
    ]);
    const synth = new JSSynth.AudioWorkletNodeSynthesizer();
    synth.init(context.sampleRate);
    const node = synth.createAudioNode(context, {
      initialGain: kGain * music.volumeScale,
      polyphony: kPolyphony,
      midiChannelCount: 16,
    });
    music.analyser = context.createAnalyser();
    node.connect(music.analyser);
    music.analyser.connect(context.destination);
    music.synth = synth;
    music.font = await synth.loadSFont(font);
    selectPresets();
    music.ready = true;
    if (!music.opened) context.suspend();  // closed while it loaded
  }

  function start() {
    if (music.loading) return;
    try {
      music.loading = load().catch(problem => {
        console.error("The song's synthesiser did not start: " + problem.message);
        music.failed = true;
      });
    } catch (problem) {  // no Web Audio at all
      console.error("The song's synthesiser did not start: " + problem.message);
      music.failed = true;
    }
  }

  // A message as status + data1 × 256 + data2 × 65536.
  function sound(message) {
    const synth = music.synth;
    const status = message & 0xF0, channel = message & 0x0F;
    const data1 = (message >> 8) & 0x7F, data2 = (message >> 16) & 0x7F;
    switch (status) {
      case 0x80: synth.midiNoteOff(channel, data1); break;
      case 0x90:
        synth.midiNoteOn(channel, data1, data2);
        if (data2 > 0) music.noteOns += 1;
        break;
      case 0xA0: synth.midiKeyPressure(channel, data1, data2); break;
      case 0xB0: synth.midiControl(channel, data1, data2); break;
      case 0xC0: synth.midiProgramChange(channel, data1); break;
      case 0xD0: synth.midiChannelPressure(channel, data1); break;
      case 0xE0: synth.midiPitchBend(channel, data1 | (data2 << 7)); break;
    }
  }

  Module.vexarMusic = {
    // Each game opens the output: a fresh synthesiser's state, as the
    // desktop game makes a new one.
    open() {
      music.opened = true;
      start();
      if (music.ready) {
        music.synth.midiSystemReset();
        music.context.resume();
      }
      return true;
    },
    // Closed, the synthesiser stops rendering at all, as the desktop game's
    // is deleted with its device.
    close() {
      music.opened = false;
      if (music.ready) {
        music.synth.midiAllSoundsOff();
        music.context.suspend();
      }
      return true;
    },
    volume(scale) {
      music.volumeScale = scale;
      if (music.synth) music.synth.setGain(kGain * scale);
      return true;
    },
    presets(list) {
      music.songPresets = list;
      if (music.ready) selectPresets();
    },
    message(value) {
      if (music.opened && music.ready) sound(value >>> 0);
      return true;
    },
    // The song may start: the synthesiser plays (past the first click), or
    // there is none to wait for.
    settled() { return !music.opened || music.failed || running(); },
    audible() { return music.opened && running(); },
    // For the page's tests: the note-ons sounded, and the loudest sample
    // of the output's last moment.
    heard() {
      let peak = 0;
      // A suspended context outputs nothing (its analyser keeps its last block).
      if (music.analyser && music.context.state === "running") {
        const samples = new Float32Array(music.analyser.fftSize);
        music.analyser.getFloatTimeDomainData(samples);
        for (const s of samples) peak = Math.max(peak, Math.abs(s));
      }
      return { noteOns: music.noteOns, peak, running: running() };
    },
  };
})();
