// Tells TaskMeter's recorder which window has the focus: its caption, class and process
// id, on the session bus, with a signal at every change. GNOME Shell 45 and later, which
// load extensions as modules.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const INTERFACE = `<node>
  <interface name="example.kestrelworks.TaskMeter.FocusedWindow">
    <method name="Get">
      <arg name="title" type="s" direction="out"/>
      <arg name="wmClass" type="s" direction="out"/>
      <arg name="wmClassInstance" type="s" direction="out"/>
      <arg name="pid" type="u" direction="out"/>
    </method>
    <signal name="Changed">
      <arg name="title" type="s"/>
      <arg name="wmClass" type="s"/>
      <arg name="wmClassInstance" type="s"/>
      <arg name="pid" type="u"/>
    </signal>
  </interface>
</node>`;
const PATH = '/example/kestrelworks/TaskMeter/FocusedWindow';

export default class FocusedWindowReporter extends Extension {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._object.export(Gio.DBus.session, PATH);
        this._focusId = global.display.connect('notify::focus-window', () => this._follow());
        this._follow();
    }

    disable() {
        global.display.disconnect(this._focusId);
        this._unfollow();
        this._object.unexport();
        this._object = null;
    }

    Get() {
        return this._facts();
    }

    _facts() {
        const w = this._window;
        if (!w)
            return ['', '', '', 0];
        return [w.get_title() ?? '', w.get_wm_class() ?? '', w.get_wm_class_instance() ?? '',
            Math.max(0, w.get_pid())];
    }

    _follow() {
        this._unfollow();
        this._window = global.display.focus_window;
        if (this._window)
            this._titleId = this._window.connect('notify::title', () => this._report());
        this._report();
    }

    _unfollow() {
        if (this._window && this._titleId)
            this._window.disconnect(this._titleId);
        this._window = null;
        this._titleId = 0;
    }

    _report() {
        this._object.emit_signal('Changed', new GLib.Variant('(sssu)', this._facts()));
    }
}
