#!/usr/bin/python3
# A stand-in for the desktop portal's GlobalShortcuts interface on a private session
# bus. It answers through Request objects as the real portal does, binds what it is
# asked (reporting the preferred triggers as the chosen ones) and writes every request
# to the log file given as first argument:
#   ready | register APPID | session PATH | bind PATH id=TRIGGER ... | close PATH
#   | closed PATH | changed PATH id=TRIGGER ...
# FAKE_PORTAL_REFUSE=1 makes it refuse every binding (response 2); FAKE_PORTAL_UNBOUND=ID
# leaves that shortcut out of what it reports bound, as when the user declines one, and
# FAKE_PORTAL_UNBOUND=all reports none bound (an empty list with response 0);
# FAKE_PORTAL_MALFORMED=1 answers a binding with the response code alone.
# The test drives it through org.example.FakePortal: Activate(shortcut id) as if its
# trigger were pressed, CloseSession() as when the desktop ends the last session, and
# ChangeShortcuts("id=TRIGGER ...") as when the user gives those shortcuts these
# triggers in the desktop's settings.
import os
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
LOG = open(sys.argv[1], "a", buffering=1)
REFUSE = os.environ.get("FAKE_PORTAL_REFUSE") == "1"
UNBOUND = os.environ.get("FAKE_PORTAL_UNBOUND", "")
MALFORMED = os.environ.get("FAKE_PORTAL_MALFORMED") == "1"


def say(line):
    LOG.write(line + "\n")


def handle(kind, sender, token):
    return "%s/%s/%s/%s" % (PATH, kind, sender[1:].replace(".", "_"), token)


class Session(dbus.service.Object):
    def __init__(self, bus, path):
        super().__init__(bus, path)
        self.bound = {}  # shortcut id -> [description, trigger]

    @dbus.service.method("org.freedesktop.portal.Session", in_signature="", out_signature="")
    def Close(self):
        say("close " + self.__dbus_object_path__)
        del portal.sessions[self.__dbus_object_path__]
        self.remove_from_connection()

    @dbus.service.signal("org.freedesktop.portal.Session", signature="a{sv}")
    def Closed(self, details):
        pass


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.sessions = {}  # path -> Session
        self.last_session = None

    def respond(self, path, response, results):
        # Before the method's own reply, as a fast portal may: only a caller listening
        # on the request path ahead of the call hears it.
        signal = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
        signal.append(dbus.UInt32(response))
        if results is not None:
            signal.append(dbus.Dictionary(results, signature="sv"))
        self.bus.send_message(signal)
        return dbus.ObjectPath(path)

    @staticmethod
    def shortcut_list(bound):
        return dbus.Array([dbus.Struct((sid, {"description": description,
                                              "trigger_description": trigger}),
                                       signature="sa{sv}")
                           for sid, (description, trigger) in bound.items()],
                          signature="(sa{sv})")

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == SHORTCUTS and name == "version":
            return dbus.UInt32(1, variant_level=1)
        raise dbus.exceptions.DBusException("no such property",
                                            name="org.freedesktop.DBus.Error.UnknownProperty")

    @dbus.service.method("org.freedesktop.host.portal.Registry", in_signature="sa{sv}",
                         out_signature="")
    def Register(self, app_id, options):
        say("register " + app_id)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender):
        session = handle("session", sender, options["session_handle_token"])
        self.sessions[session] = Session(self.bus, session)
        self.last_session = session
        say("session " + session)
        return self.respond(handle("request", sender, options["handle_token"]), 0,
                            {"session_handle": dbus.String(session)})

    @dbus.service.method(SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def BindShortcuts(self, session, shortcuts, parent_window, options, sender):
        say("bind %s %s" % (session, " ".join(
            "%s=%s" % (sid, props.get("preferred_trigger", "")) for sid, props in shortcuts)))
        request = handle("request", sender, options["handle_token"])
        if REFUSE or session not in self.sessions:
            return self.respond(request, 2, {})
        if MALFORMED:
            return self.respond(request, 0, None)
        bound = self.sessions[session].bound
        for sid, props in shortcuts:
            if UNBOUND not in (sid, "all"):
                bound[sid] = [props["description"], props.get("preferred_trigger", "")]
        return self.respond(request, 0, {"shortcuts": self.shortcut_list(bound)})

    @dbus.service.signal(SHORTCUTS, signature="oa(sa{sv})")
    def ShortcutsChanged(self, session, shortcuts):
        pass

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.method("org.example.FakePortal", in_signature="s", out_signature="")
    def Activate(self, shortcut_id):
        if self.last_session in self.sessions:
            self.Activated(dbus.ObjectPath(self.last_session), shortcut_id, dbus.UInt64(0),
                           dbus.Dictionary({}, signature="sv"))

    @dbus.service.method("org.example.FakePortal", in_signature="", out_signature="")
    def CloseSession(self):
        session = self.sessions.pop(self.last_session)
        say("closed " + self.last_session)
        session.Closed(dbus.Dictionary({}, signature="sv"))
        session.remove_from_connection()

    @dbus.service.method("org.example.FakePortal", in_signature="s", out_signature="")
    def ChangeShortcuts(self, changes):
        bound = self.sessions[self.last_session].bound
        for change in changes.split():
            sid, trigger = change.split("=", 1)
            bound.setdefault(sid, [sid, ""])[1] = trigger
        say("changed %s %s" % (self.last_session, changes))
        self.ShortcutsChanged(dbus.ObjectPath(self.last_session), self.shortcut_list(bound))


DBusGMainLoop(set_as_default=True)
session_bus = dbus.SessionBus()
portal = Portal(session_bus)
name = dbus.service.BusName("org.freedesktop.portal.Desktop", session_bus)
say("ready")
GLib.MainLoop().run()
