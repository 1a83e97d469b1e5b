// Reports the active window to TaskMeter's recorder on the session bus: its caption,
// resource class and name and process id, whenever the active window or its caption
// changes. The recorder loads this script through KWin's scripting interface and
// unloads it when it stops. Plasma 6 renamed the workspace API (activeWindow,
// windowActivated); Plasma 5 has activeClient and clientActivated.
var recorder = "example.kestrelworks.TaskMeter.Recorder";
var followed = null;

function report() {
    var w = followed;
    callDBus(recorder, "/ActiveWindow", "example.kestrelworks.TaskMeter.ActiveWindow", "Changed",
             w ? String(w.caption) : "", w ? String(w.resourceClass) : "",
             w ? String(w.resourceName) : "", w && w.pid > 0 ? w.pid : 0);
}

function follow(window) {
    if (followed) {
        try {
            followed.captionChanged.disconnect(report);
        } catch (e) {
            // the window is already gone
        }
    }
    followed = window;
    if (followed) followed.captionChanged.connect(report);
    report();
}

if (workspace.windowActivated) {
    workspace.windowActivated.connect(follow);
    follow(workspace.activeWindow);
} else {
    workspace.clientActivated.connect(follow);
    follow(workspace.activeClient);
}
