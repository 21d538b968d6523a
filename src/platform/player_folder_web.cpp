#include "platform/file_system.h"

#include "platform/page_notice.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

// The player's files (game.ini) live in the browser's storage for this site
// (IndexedDB, through Emscripten's IDBFS) under this folder, read in on the
// first use and written back after each replacement. Everything else in the
// page's file system (the packed media among it) is gone on the next visit.

namespace {

const char kPlayerFolder[] = "/vexar-player";

// "" when the folder holds what the browser kept, else why it could not.
EM_ASYNC_JS(char*, mountPlayerStorage, (const char* folder), {
    const path = UTF8ToString(folder);
    FS.mkdirTree(path);
    let failure = "";
    try {
        if (typeof indexedDB === "undefined") throw new Error("this browser has no IndexedDB");
        FS.mount(IDBFS, {}, path);
        failure = await new Promise(done => FS.syncfs(true, error => done(error ? String(error) : "")));
    } catch (error) {
        failure = String(error && error.message || error);
    }
    return failure ? allocateUTF8(failure) : 0;
});

EM_ASYNC_JS(char*, writeBackPlayerStorage, (), {
    const failure = await new Promise(done => FS.syncfs(false, error => done(error ? String(error) : "")));
    return failure ? allocateUTF8(failure) : 0;
});

enum class Storage { Unopened, Kept, ThisVisitOnly };
Storage storage = Storage::Unopened;

std::string takeText(char* text) {
    std::string result = text ? text : "";
    std::free(text);
    return result;
}

void openPlayerStorage() {
    const std::string failure = takeText(mountPlayerStorage(kPlayerFolder));
    storage = failure.empty() ? Storage::Kept : Storage::ThisVisitOnly;
    if (!failure.empty())
        showPageNotice(("The browser keeps nothing for this page (" + failure +
                        "): the choices last for this visit only.").c_str());
}

}  // namespace

// Only the player's folder: the media folder is the page's own and gone on
// the next visit.
bool folderAcceptsGameFiles(const std::string& folder) {
    const std::string own = kPlayerFolder;
    return folder.compare(0, own.size(), own) == 0;
}

std::string perUserFolder() {
    if (storage == Storage::Unopened) openPlayerStorage();
    return std::string(kPlayerFolder) + "/";
}

// Once the player has been told that nothing is kept, a save that stays for
// the visit is all there is, and no failure.
std::string keepPlayerFiles() {
    if (storage != Storage::Kept) return "";
    const std::string failure = takeText(writeBackPlayerStorage());
    return failure.empty() ? "" : "the browser's storage refused it (" + failure + ")";
}
