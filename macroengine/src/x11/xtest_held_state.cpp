#include "x11/xtest_held_state.h"

#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

#include <cstring>

namespace orvane {

namespace {

// The XTest slave devices carry these names in every X server since XInput 2.0.
bool isXTestDevice(const XIDeviceInfo &device, int use)
{
    return device.use == use && std::strstr(device.name, "XTEST") != nullptr;
}

void readState(Display *display, XID id, XTestHeldState &held)
{
    XDevice *device = XOpenDevice(display, id);
    if (!device)
        return;
    if (XDeviceState *state = XQueryDeviceState(display, device)) {
        auto *item = state->data;
        for (int i = 0; i < state->num_classes; ++i) {
            if (item->c_class == KeyClass) {
                const auto *keys = reinterpret_cast<XKeyState *>(item);
                for (int k = 0; k < keys->num_keys && k < 256; ++k)
                    if (keys->keys[k / 8] & (1 << (k % 8)))
                        held.keys.insert(static_cast<KeyCode>(k));
            } else if (item->c_class == ButtonClass) {
                const auto *buttons = reinterpret_cast<XButtonState *>(item);
                for (int b = 1; b < buttons->num_buttons && b < 256; ++b)
                    if (buttons->buttons[b / 8] & (1 << (b % 8)))
                        held.buttons.insert(static_cast<unsigned int>(b));
            }
            item = reinterpret_cast<XInputClass *>(reinterpret_cast<char *>(item) + item->length);
        }
        XFreeDeviceState(state);
    }
    XCloseDevice(display, device);
}

} // namespace

XTestHeldState xtestHeldState(Display *display)
{
    XTestHeldState held;
    int opcode = 0, event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error))
        return held;
    int major = 2, minor = 0;
    if (XIQueryVersion(display, &major, &minor) != Success)
        return held;
    int count = 0;
    XIDeviceInfo *devices = XIQueryDevice(display, XIAllDevices, &count);
    if (!devices)
        return held;
    held.known = true;
    for (int i = 0; i < count; ++i) {
        if (isXTestDevice(devices[i], XISlaveKeyboard) || isXTestDevice(devices[i], XISlavePointer))
            readState(display, static_cast<XID>(devices[i].deviceid), held);
    }
    XIFreeDeviceInfo(devices);
    return held;
}

bool releaseXTestHeld(Display *display)
{
    const XTestHeldState held = xtestHeldState(display);
    for (KeyCode key : held.keys)
        XTestFakeKeyEvent(display, key, False, CurrentTime);
    for (unsigned int button : held.buttons)
        XTestFakeButtonEvent(display, button, False, CurrentTime);
    XSync(display, False);
    return !held.keys.empty() || !held.buttons.empty();
}

} // namespace orvane
