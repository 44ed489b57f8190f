#!/usr/bin/python3
# A stand-in for the desktop portal's GlobalShortcuts interface on a private session
# bus. It answers through Request objects as the real portal does, binds what it is
# asked (reporting the preferred triggers as the chosen ones) and writes every request
# to the log file given as first argument:
#   ready | register APPID | session PATH | bind PATH id=TRIGGER ... | close PATH
# FAKE_PORTAL_REFUSE=1 makes it refuse every binding (response 2); FAKE_PORTAL_UNBOUND=ID
# leaves that shortcut out of what it reports bound, as when the user declines one, and
# FAKE_PORTAL_UNBOUND=all reports none bound (an empty list with response 0).
# The test drives it with org.example.FakePortal.Activate(shortcut id).
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


def say(line):
    LOG.write(line + "\n")


def handle(kind, sender, token):
    return "%s/%s/%s/%s" % (PATH, kind, sender[1:].replace(".", "_"), token)


class Session(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Session", in_signature="", out_signature="")
    def Close(self):
        say("close " + self.__dbus_object_path__)
        portal.sessions.discard(self.__dbus_object_path__)
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PATH)
        self.bus = bus
        self.sessions = set()
        self.last_session = None

    def respond(self, path, response, results):
        # Before the method's own reply, as a fast portal may: only a caller listening
        # on the request path ahead of the call hears it.
        signal = dbus.lowlevel.SignalMessage(path, "org.freedesktop.portal.Request", "Response")
        signal.append(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"))
        self.bus.send_message(signal)
        return dbus.ObjectPath(path)

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
        Session(self.bus, session)
        self.sessions.add(session)
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
        bound = dbus.Array([dbus.Struct((sid, {"description": props["description"],
                                                "trigger_description": props.get("preferred_trigger", "")}),
                                        signature="sa{sv}")
                            for sid, props in shortcuts if UNBOUND not in (sid, "all")],
                           signature="(sa{sv})")
        return self.respond(request, 0, {"shortcuts": bound})

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session, shortcut_id, timestamp, options):
        pass

    @dbus.service.method("org.example.FakePortal", in_signature="s", out_signature="")
    def Activate(self, shortcut_id):
        if self.last_session in self.sessions:
            self.Activated(dbus.ObjectPath(self.last_session), shortcut_id, dbus.UInt64(0),
                           dbus.Dictionary({}, signature="sv"))


DBusGMainLoop(set_as_default=True)
session_bus = dbus.SessionBus()
portal = Portal(session_bus)
name = dbus.service.BusName("org.freedesktop.portal.Desktop", session_bus)
say("ready")
GLib.MainLoop().run()
