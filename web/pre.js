// Runs inside the game's module before it starts. In a browser the player's
// files (settings, kept runs) live under the home folder, which is kept in
// the browser's storage: read back before the program starts, written out a
// moment after every change and when the page is hidden.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
    if (typeof indexedDB === 'undefined' || typeof window === 'undefined') return;
    const home = '/home/web_user';
    FS.mount(IDBFS, {}, home);
    addRunDependency('player-files');
    FS.syncfs(true, function (err) {
        if (err) console.warn('pelloquinade: saved files could not be read back:', err);
        removeRunDependency('player-files');
    });
    let saving = false;
    const save = function () {
        if (saving) return;
        saving = true;
        FS.syncfs(false, function (err) {
            saving = false;
            if (err) console.warn('pelloquinade: files could not be saved:', err);
        });
    };
    Module['saveFiles'] = save;
    setInterval(save, 3000);
    document.addEventListener('visibilitychange', function () {
        if (document.visibilityState === 'hidden') save();
    });
    window.addEventListener('pagehide', save);
});
