#include "media_set.h"

#include "models.h"
#include "picture_writers.h"
#include "smf_writer.h"
#include "sounds.h"
#include "splash.h"
#include "textures.h"
#include "wav_writer.h"

namespace {

Bytes encode(const Picture& p) {
    Canvas c = p.paint();
    switch (p.format) {
        case PictureFormat::Bmp:
            return encodeBmp(c);
        case PictureFormat::Jpeg:
            return encodeJpeg(c, 90);
        case PictureFormat::Tga:
            return encodeTga(c, false, false);
        case PictureFormat::TgaRunLength:
            return encodeTga(c, false, true);
        case PictureFormat::TgaWithAlpha:
            return encodeTga(c, true, false);
    }
    return {};
}

}  // namespace

const std::vector<Picture>& allPictures() {
    static const std::vector<Picture> pictures = {
        {"deathStar.jpg", paintDeathStar, PictureFormat::Jpeg},
        {"droid.bmp", paintDroid, PictureFormat::Bmp},
        {"radar.tga", paintRadar, PictureFormat::Tga},
        {"station.jpg", paintStation, PictureFormat::Jpeg},
        {"solarPanel.tga", paintSolarPanel, PictureFormat::TgaRunLength},
        {"shot.tga", paintShot, PictureFormat::TgaWithAlpha},
        {"blueScreen.bmp", paintBlueScreen, PictureFormat::Bmp},
        {"splash.jpg", paintSplash, PictureFormat::Jpeg},
    };
    return pictures;
}

bool writeMediaSet(const std::string& folder) {
    bool ok = true;
    auto path = [&](const std::string& name) { return folder + "/" + name; };
    for (const Model& m : buildAllModels()) {
        std::string text = a3fText(m.mesh, m.material, m.comment);
        ok = writeFile(path(m.fileName), Bytes(text.begin(), text.end())) && ok;
    }
    for (const Picture& p : allPictures()) ok = writeFile(path(p.fileName), encode(p)) && ok;
    for (const SoundEffect& s : buildAllSounds()) {
        auto samples = toPcm16(s.signal);
        ok = (s.adpcm ? writeAdpcmWav(path(s.fileName), samples)
                      : writePcmWav(path(s.fileName), samples)) &&
             ok;
    }
    ok = writeFile(path("vexar.mid"), encodeSmf(composeSong())) && ok;
    return ok;
}
