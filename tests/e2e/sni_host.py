"""A fake StatusNotifier host for the tests, on a private session bus.

sni_host.py serve              owns org.kde.StatusNotifierWatcher, says a host is
                               registered, prints "ready", then "registered SERVICE"
                               for each item that registers
sni_host.py layout SERVICE     prints the labels of the item's exported menu
sni_host.py activate SERVICE   clicks the item (what a host does on a left click)
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
INTROSPECTION = """<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        self.items = []
        self.name = dbus.service.BusName(WATCHER, bus)
        super().__init__(self.name, "/StatusNotifierWatcher")

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item may give its object path instead of a bus name.
        if service.startswith("/"):
            service = sender
        self.items.append(service)
        print("registered", service, flush=True)
        self.StatusNotifierItemRegistered(service)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    # Qt reads the properties through an introspected interface, so they are declared
    # here (dbus-python leaves properties out of its own introspection).
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "IsStatusNotifierHostRegistered": True,
            "ProtocolVersion": dbus.Int32(0),
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
        }


def labels(layout):
    _, properties, children = layout
    if "label" in properties:
        yield str(properties["label"])
    for child in children:
        yield from labels(child)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    command = sys.argv[1]
    if command == "serve":
        watcher = Watcher(bus)
        print("ready", flush=True)
        GLib.MainLoop().run()
        del watcher
    item = bus.get_object(sys.argv[2], "/StatusNotifierItem")
    if command == "layout":
        menu_path = item.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
        menu = bus.get_object(sys.argv[2], menu_path)
        _, layout = menu.GetLayout(0, -1, dbus.Array([], signature="s"),
                                   dbus_interface="com.canonical.dbusmenu")
        for label in labels(layout):
            print(label)
    elif command == "activate":
        item.Activate(0, 0, dbus_interface=ITEM)


if __name__ == "__main__":
    main()
