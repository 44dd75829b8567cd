// A release is handled by what handled its press: whatever changes between the two (layer,
// profile, indirection slot, settings, hooks), nothing the press put down stays held.

#include "support/held_input.h"
#include "support/replay_run.h"
#include "support/settings_files.h"

#include "runtime/runtime_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using pw::test::Describe;
using pw::test::HeldAfter;
using pw::test::LineOf;
using pw::test::ReplayRun;
using pw::test::SettingsXml;

bool Has(const std::string& line, const std::string& text) {
    return line.find(text) != std::string::npos;
}

std::vector<std::string> Joined(std::vector<std::string> first,
                                const std::vector<std::string>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const char kNotepadDesktop[] =
    "window editor process=notepad.exe class=Notepad caption=\"notes\" rect=0,0,900,900\n"
    "window viewer process=viewer.exe class=Viewer caption=\"V\" rect=1000,0,900,900\n"
    "foreground editor\n"
    "move 400 400\n";

// Keys held while the button is down play forward at the press and backward at the
// release, and keys left held are let go the same way: a mouse button pressed by {LMBD} is
// let go then, not pressed again. Shown for a balanced string in the during, repeat and
// sticky modes, the release coming from the button, the next press or a reload (the
// scenario fuzzer's finding), and for a lone {RMBD} in the two modes that hold by phase.
// (Played whole, as by a repeat, a lone half click holds its button on purpose.)
TEST(ReleasePairing, AnExplicitMousePressInHeldKeysIsLetGoAtTheRelease) {
    for (const char* mode : {"2", "5", "6", "7"}) {
        SCOPED_TRACE(mode);
        const bool byPhase = std::string(mode) == "2" || std::string(mode) == "7";
        std::string slots = std::string("<XLeft action=\"28\" keys=\"{LMBD}{HOME}{LMBU}\" "
                                        "keyaction=\"") +
                            mode + "\"/>";
        if (byPhase)
            slots +=
                std::string("<XRight action=\"28\" keys=\"{RMBD}\" keyaction=\"") + mode + "\"/>";
        const std::string settings = SettingsXml("<Default>" + slots + "</Default>");
        ReplayRun run(settings);
        run.AddFile("same.xml", settings);
        auto lines = run.Play(std::string(kNotepadDesktop) +
                              "down XLeft\nup XLeft\nwait 300\ndown XLeft\nup XLeft\n"
                              "down XLeft\nreload same.xml\nup XLeft\nwait 3000\n");
        if (byPhase)
            lines = Joined(lines, run.Play("down XRight\nup XRight\ndown XRight\nup XRight\n"
                                           "down XRight\nreload same.xml\nup XRight\n"
                                           "wait 3000\n"));
        const auto held = HeldAfter(lines);
        EXPECT_TRUE(held.Empty()) << Describe(held);
    }
}

// A press resolved through "Same as Default Profile" to keys held while the button is down,
// released after a layer modifier key selected a layer where the button does nothing: the
// release still lets Control go, and the layer change itself does too.
TEST(ReleasePairing, KeysHeldThroughTheDefaultProfileAreLetGoAcrossALayerChange) {
    const std::string settings =
        SettingsXml("<Layers Number=\"2\"/>"
                    "<LayerModifierKeys Enable=\"true\"><LayerKey1 Key=\"0\" Modifier=\"1\"/>"
                    "</LayerModifierKeys>"
                    "<Default><XLeft action=\"28\" keys=\"{CTRL}\" keyaction=\"2\"/></Default>"
                    "<Applications><Application Name=\"notepad.exe\" Enabled=\"true\">"
                    "<XLeft action=\"74\"/><Right action=\"52\"/><Layer1><XLeft action=\"40\"/>"
                    "<Right action=\"52\"/></Layer1>"
                    "</Application></Applications>");
    {
        ReplayRun run(settings);
        auto lines = run.Play(std::string(kNotepadDesktop) +
                              "down XLeft\nkey down 160\nup XLeft\nkey up 160\n");
        EXPECT_TRUE(Has(LineOf(lines, "down XLeft"), "\"vk\":162,\"up\":false"));
        EXPECT_TRUE(Has(LineOf(lines, "key down 160"), "\"layer\":1"));
        const auto held = HeldAfter(lines);
        EXPECT_TRUE(held.Empty()) << Describe(held);
        // The press was swallowed, so its release is too.
        EXPECT_TRUE(Has(LineOf(lines, "up XLeft"), "\"result\":\"swallowed\""));
    }
    {
        // Released by the layer button itself while the press is held: a Layer (Next)
        // click on the right button.
        ReplayRun run(settings);
        auto lines =
            run.Play(std::string(kNotepadDesktop) + "down XLeft\ndown Right\nup Right\nup XLeft\n");
        EXPECT_TRUE(Has(LineOf(lines, "up Right"), "\"layer\":1"));
        EXPECT_TRUE(Has(LineOf(lines, "up XLeft"), "\"result\":\"swallowed\""));
        const auto held = HeldAfter(lines);
        EXPECT_TRUE(held.Empty()) << Describe(held);
    }
}

// A click action pressed on one layer and released on another: the injected button comes
// up, and the release is not handed to the new layer's action.
TEST(ReleasePairing, AClickPressedOnOneLayerIsReleasedByTheSameAction) {
    ReplayRun run(
        SettingsXml("<Layers Number=\"2\"/>"
                    "<LayerModifierKeys Enable=\"true\"><LayerKey1 Key=\"0\" Modifier=\"1\"/>"
                    "</LayerModifierKeys>"
                    "<Default><XRight action=\"5\"/><Layer1><XRight action=\"28\" keys=\"x\" "
                    "keyaction=\"1\"/></Layer1></Default>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "down XRight\nkey down 160\nup XRight\nkey up 160\n");
    EXPECT_TRUE(Has(LineOf(lines, "up XRight"), "\"action\":5"));
    EXPECT_FALSE(Has(LineOf(lines, "up XRight"), "\"vk\":88"));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// Sticky-hold keys of a "Same as Layer 1" slot live in the first layer's slot; a reset on
// any button must find them there.
TEST(ReleasePairing, StickyHoldKeysOfASameAsLayerOneSlotAreReset) {
    ReplayRun run(SettingsXml("<Layers Number=\"2\"/>"
                              "<ResetSticky Enabled=\"true\" Key=\"false\" Layer=\"false\"/>"
                              "<Default><XRight action=\"52\"/>"
                              "<Middle action=\"28\" keys=\"a\" keyaction=\"7\"/>"
                              "<Layer1><XRight action=\"52\"/><Middle action=\"82\"/></Layer1>"
                              "</Default>"));
    auto lines =
        run.Play(std::string(kNotepadDesktop) + "down XRight\nup XRight\ndown Middle\nup Middle\n");
    EXPECT_TRUE(Has(LineOf(lines, "up XRight"), "\"layer\":1"));
    EXPECT_TRUE(Has(LineOf(lines, "down Middle"), "\"vk\":65,\"up\":false"));
    lines = Joined(lines, run.Play("down Left\nup Left\n"));
    EXPECT_TRUE(Has(LineOf(lines, "up Left"), "\"vk\":65,\"up\":true"));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// Sticky holds of two buttons share one state: the other button's press is the hold's
// second press, and its release lets go of the keys held, wherever they live; after that the
// other button starts a hold of its own.
TEST(ReleasePairing, AStickyHoldEndedByAnotherButtonsHoldLetsItsKeysGo) {
    ReplayRun run(SettingsXml("<Default><Left action=\"28\" keys=\"{DEL}{APPS}{LMB}\" "
                              "keyaction=\"7\" blockmouse=\"true\"/>"
                              "<Middle action=\"28\" keys=\"b\" keyaction=\"7\"/></Default>"));
    auto lines =
        run.Play(std::string(kNotepadDesktop) + "down Left\nup Left\ndown Middle\nup Middle\n");
    EXPECT_TRUE(Has(LineOf(lines, "down Left"), "\"vk\":46,\"up\":false"));
    EXPECT_TRUE(Has(LineOf(lines, "up Middle"), "\"vk\":46,\"up\":true"))
        << LineOf(lines, "up Middle");
    auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);

    const auto more = run.Play("down Middle\nup Middle\ndown Middle\nup Middle\n");
    EXPECT_TRUE(Has(LineOf(more, "down Middle"), "\"vk\":66,\"up\":false"))
        << LineOf(more, "down Middle");
    held = HeldAfter(Joined(lines, more));
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A layer change stops the repeat of a sticky repeat; its sticky state ends with it, so
// mouse-over switching, which waits while a sticky repeat runs, works again.
TEST(ReleasePairing, ALayerChangeEndsAStickyRepeatAndMouseOverSwitchingResumes) {
    ReplayRun run(SettingsXml(
        "<Layers Number=\"2\"/><SwitchOnMouseOver Enable=\"true\"/>"
        "<ResetSticky Enabled=\"false\" Key=\"false\" Layer=\"false\"/>"
        "<LayerModifierKeys Enable=\"true\"><LayerKey1 Key=\"0\" Modifier=\"1\"/>"
        "</LayerModifierKeys>"
        "<Default><XLeft action=\"28\" keys=\"a\" keyaction=\"6\" keyrepeat=\"50\"/></Default>"
        "<Applications><Application Name=\"viewer.exe\" Enabled=\"true\"/></Applications>"));
    auto lines = run.Play("window desk process=desk.exe class=Desk caption=\"D\" "
                          "rect=0,0,900,900\n"
                          "window viewer process=viewer.exe class=Viewer caption=\"V\" "
                          "rect=1000,0,900,900\n"
                          "foreground desk\nmove 400 400\n"
                          "down XLeft\nup XLeft\nwait 200\nkey down 160\nkey up 160\nwait 2000\n"
                          "move 1200 400\nwait 300\nmove 1201 400\n");
    EXPECT_TRUE(Has(lines.back(), "\"profile\":\"viewer.exe\"")) << lines.back();
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A reload within the held-wheel time of a wheel mapped to a click sends the click's
// release through the old settings; the wheel's slot is free again afterwards, so the next
// notch acts and mouse-over switching is not held off.
TEST(ReleasePairing, AReloadDuringAHeldWheelSendsItsRelease) {
    const std::string settings =
        SettingsXml("<Default IgnoreVScroll=\"true\" IgnoreVScrollTime=\"200\">"
                    "<WheelUp action=\"5\"/></Default>");
    ReplayRun run(settings);
    run.AddFile("same.xml", settings);
    auto lines = run.Play(std::string(kNotepadDesktop) + "wheel 120\nwait 50\nreload same.xml\n");
    EXPECT_TRUE(Has(LineOf(lines, "wheel 120"), "\"flags\":\"0x20\"")) << lines.back();
    EXPECT_TRUE(Has(LineOf(lines, "reload same.xml"), "\"flags\":\"0x40\"")) << lines.back();
    auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);

    lines = run.Play("wait 500\nwheel 120\n");
    EXPECT_TRUE(Has(LineOf(lines, "wheel 120"), "\"flags\":\"0x20\"")) << lines.back();
    lines = Joined(lines, run.Play("wait 500\nmove 401 400\n"));
    held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// Presses held while the settings are reloaded or the hooks removed end at once, through
// the action that took them; their releases, when they come, are swallowed like the
// presses were.
TEST(ReleasePairing, HeldPressesAndStickyButtonsEndOnReloadAndUnhook) {
    const std::string settings =
        SettingsXml("<Default><XRight action=\"5\"/><XLeft action=\"49\"/></Default>");
    ReplayRun run(settings);
    run.AddFile("same.xml", settings);
    auto lines = run.Play(std::string(kNotepadDesktop) + "down XRight\nreload same.xml\nup XRight\n"
                                                         "down XRight\nunhook\nhook\nup XRight\n");
    EXPECT_TRUE(Has(LineOf(lines, "reload same.xml"), "\"flags\":\"0x40\""));
    EXPECT_TRUE(Has(LineOf(lines, "unhook"), "\"flags\":\"0x40\""));
    EXPECT_TRUE(Has(LineOf(lines, "up XRight"), "\"result\":\"swallowed\""));
    EXPECT_TRUE(Has(lines.back(), "\"result\":\"swallowed\"")) << lines.back();
    EXPECT_TRUE(Has(lines.back(), "\"injected\":[]")) << lines.back();

    // A sticky left button is held until its next click, which the removed hooks would
    // never see.
    lines = Joined(lines, run.Play("down XLeft\nup XLeft\nunhook\n"));
    EXPECT_TRUE(Has(LineOf(lines, "down XLeft"), "\"flags\":\"0x2\""));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// Keys held for a press that switch layers on their release come back to the reset a
// layer change makes: they are let go once, and the library does not recurse.
TEST(ReleasePairing, HeldKeysThatChangeTheLayerAreLetGoOnce) {
    ReplayRun run(SettingsXml("<Layers Number=\"2\"/><Default><Middle action=\"28\" "
                              "keys=\"a{LAYER:2}\" keyaction=\"2\"/></Default>"));
    auto lines =
        run.Play(std::string(kNotepadDesktop) + "down Middle\nlayer 1\nup Middle\nlayer 2\n");
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
    EXPECT_TRUE(Has(lines.back(), "\"layer\":1")) << lines.back();
}

// A tilt or notch whose keys are held while it lasts, but which lets the tilt or notch
// itself through, still lets its keys go.
TEST(ReleasePairing, AnUnblockedTiltOrNotchLetsItsKeysGo) {
    ReplayRun run(SettingsXml(
        "<Default IgnoreHScroll=\"true\" IgnoreHScrollTime=\"100\">"
        "<TiltLeft action=\"28\" keys=\"{UP}\" keyaction=\"2\" blockmouse=\"false\"/>"
        "<WheelDown action=\"28\" keys=\"{DOWN}\" keyaction=\"2\" blockmouse=\"false\"/>"
        "</Default>"));
    auto lines = run.Play(std::string(kNotepadDesktop) + "tilt -120\nwait 2000\nwheel -120\n"
                                                         "wait 2000\nmove 401 400\n");
    EXPECT_TRUE(Has(LineOf(lines, "tilt -120"), "\"vk\":38,\"up\":false"));
    EXPECT_TRUE(Has(LineOf(lines, "wheel -120"), "\"vk\":40,\"up\":false"));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A held wheel's pending release is not taken over by a notch turned under another
// profile before the wheel's timer fired.
TEST(ReleasePairing, ANotchUnderAnotherProfileEndsTheHeldWheelFirst) {
    ReplayRun run(SettingsXml("<Applications><Application Name=\"notepad.exe\" Enabled=\"true\" "
                              "IgnoreVScroll=\"true\" IgnoreVScrollTime=\"200\">"
                              "<WheelUp action=\"5\"/></Application></Applications>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "wheel 120\nmove 1200 400\ndown Left\nup Left\nwheel 120\nwait 2000\n"
                          "move 1201 400\n");
    EXPECT_TRUE(Has(LineOf(lines, "wheel 120"), "\"flags\":\"0x20\""));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

size_t Count(const std::vector<std::string>& lines, const std::string& text) {
    size_t count = 0;
    for (const std::string& line : lines)
        for (size_t at = line.find(text); at != std::string::npos; at = line.find(text, at + 1))
            ++count;
    return count;
}

// A notch that lets the wheel through but starts repeating keys stops them with its own
// release half, as a notch it swallows does.
TEST(ReleasePairing, AnUnblockedNotchStopsTheRepeatItStarted) {
    ReplayRun run(SettingsXml("<Default><WheelDown action=\"28\" keys=\"x\" keyaction=\"5\" "
                              "keyrepeat=\"50\" blockmouse=\"false\"/></Default>"));
    auto lines = run.Play(std::string(kNotepadDesktop) + "wheel -120\nwait 1000\nmove 401 400\n");
    EXPECT_LE(Count(lines, "\"vk\":88,\"up\":false"), 2u);
}

// The releases that end held keys or a repeat run even after another program's window came
// to the front, which stops a profile's keys from starting there, not from ending.
TEST(ReleasePairing, KeysAndRepeatsEndAfterTheFocusMovedToAnotherProgram) {
    ReplayRun run(SettingsXml(
        "<Default><Middle action=\"28\" keys=\"y\" keyaction=\"5\" keyrepeat=\"50\"/></Default>"
        "<Applications><Application Name=\"notepad.exe\" Enabled=\"true\">"
        "<Middle action=\"28\" keys=\"{CTRL}\" keyaction=\"2\"/>"
        "<XLeft action=\"28\" keys=\"z\" keyaction=\"5\" keyrepeat=\"50\"/>"
        "</Application></Applications>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "down Middle\nforeground viewer\nunhook\nhook\nup Middle\n");
    auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);

    // The default profile's repeat, with a profile's window brought to the front.
    lines = run.Play("move 1200 400\nforeground viewer\ndown Middle\nforeground editor\n"
                     "up Middle\nwait 1000\nmove 1201 400\n");
    EXPECT_LE(Count(lines, "\"vk\":89,\"up\":false"), 3u);

    // A profile's repeat, with another program's window brought to the front.
    lines = run.Play("move 400 400\nforeground editor\ndown XLeft\nforeground viewer\n"
                     "up XLeft\nwait 1000\nmove 401 400\n");
    EXPECT_LE(Count(lines, "\"vk\":90,\"up\":false"), 3u);
}

// A reload that turns the layer modifier keys off while their combination is held still
// undoes the combination's axis lock once it is let go.
TEST(ReleasePairing, AnAxisLockOfModifierKeysEndsAfterAReloadTurnedThemOff) {
    const std::string keys = "<LayerKey5 Key=\"0\" Modifier=\"1\"/></LayerModifierKeys>";
    ReplayRun run(SettingsXml("<LayerModifierKeys Enable=\"true\">" + keys));
    run.AddFile("off.xml", SettingsXml("<LayerModifierKeys Enable=\"false\">" + keys));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "key down 160\nmove 500 500\nreload off.xml\nkey up 160\nmove 600 300\n");
    EXPECT_TRUE(Has(LineOf(lines, "move 500 500"), "\"result\":\"swallowed\""));
    EXPECT_TRUE(Has(LineOf(lines, "move 600 300"), "\"result\":\"passed\""))
        << LineOf(lines, "move 600 300");
}

// A lock action used while a modifier combination holds its own lock: each lets go of what
// it locked, and once both have, the pointer moves freely again.
TEST(ReleasePairing, AnAxisLockedByKeysAndByAnActionEndsWhenBothLetGo) {
    ReplayRun run(SettingsXml("<LayerModifierKeys Enable=\"true\"><LayerKey5 Key=\"0\" "
                              "Modifier=\"1\"/></LayerModifierKeys>"
                              "<Default><XRight action=\"131\"/><XLeft action=\"129\"/>"
                              "</Default>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "key down 160\ndown XRight\nup XRight\nkey up 160\nmove 600 300\n"
                          "down XLeft\nkey down 160\nkey up 160\nmove 610 310\nup XLeft\n"
                          "move 620 320\n");
    EXPECT_TRUE(Has(LineOf(lines, "move 600 300"), "\"result\":\"passed\""))
        << LineOf(lines, "move 600 300");
    // The action's lock outlives the key's, and ends with its button.
    EXPECT_TRUE(Has(LineOf(lines, "move 610 310"), "\"result\":\"swallowed\""))
        << LineOf(lines, "move 610 310");
    EXPECT_TRUE(Has(LineOf(lines, "move 620 320"), "\"result\":\"passed\""))
        << LineOf(lines, "move 620 320");
}

// The sticky left button is one, whichever action pressed it: a plain sticky left click that
// ends an axis drag lets the drag's lock go, here when it ends the drag and when the hooks
// go with its tilt still pending, and a toggled lock of another axis stays until toggled.
TEST(ReleasePairing, AnAxisDragEndedByThePlainStickyButtonLetsItsLockGo) {
    ReplayRun run(SettingsXml("<Default IgnoreHScroll=\"true\" IgnoreHScrollTime=\"400\">"
                              "<Right action=\"79\"/><Middle action=\"49\"/><TiltRight "
                              "action=\"49\"/><XLeft action=\"132\"/></Default>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "down Right\nup Right\nmove 600 300\ndown Middle\nup Middle\n"
                          "move 610 310\n"
                          "down XLeft\nup XLeft\ndown Right\nup Right\ndown Middle\nup Middle\n"
                          "move 620 320\ndown XLeft\nup XLeft\nmove 630 330\n"
                          "down Right\nup Right\ntilt 120\nunhook\nhook\nmove 640 340\n");
    const auto expect = [&](const char* step, const char* result) {
        EXPECT_TRUE(Has(LineOf(lines, step), result)) << LineOf(lines, step);
    };
    expect("move 600 300", "\"result\":\"swallowed\"");
    expect("move 610 310", "\"result\":\"passed\"");
    expect("move 620 320", "\"result\":\"swallowed\"");
    expect("move 630 330", "\"result\":\"passed\"");
    expect("move 640 340", "\"result\":\"passed\"");
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A sticky repeat whose step runs while the hooks were set again ends cleanly: its step
// finds no profile and arms no next one, and the mark of a step under way must not stay,
// or mouse-over switching stays off for good.
TEST(ReleasePairing, ARepeatStepThatArmsNoNextOneLeavesMouseOverSwitching) {
    const std::string settings =
        SettingsXml("<SwitchOnMouseOver Enable=\"true\"/>"
                    "<Default><WheelDown action=\"28\" keys=\"b\" keyaction=\"6\" "
                    "keyrepeat=\"300\" blockmouse=\"true\"/></Default>"
                    "<Applications><Application Name=\"app1.exe\" Enabled=\"true\"/>"
                    "</Applications>");
    ReplayRun run(settings);
    run.AddFile("again.xml", settings);
    auto lines =
        run.Play("window a process=app1.exe class=AppOne caption=\"One\" rect=0,0,640,500\n"
                 "window c process=plain.exe class=Plain caption=\"Three\" rect=1280,0,640,500\n"
                 "foreground a\nmove 1308 288\nwheel -120\nunhook\nhook\nwheel -120\nwait 250\n"
                 "wait 250\nreload again.xml\nwait 1000\nmove 300 300\nwait 400\nmove 301 300\n"
                 "wait 400\nmove 302 300\n");
    EXPECT_TRUE(Has(lines.back(), "\"profile\":\"app1.exe\"")) << lines.back();
}

// A sticky repeat that was stopped keeps nothing held: a later reset of sticky keys does not
// play the release of its text, which here would leave the middle button down.
TEST(ReleasePairing, AStoppedStickyRepeatLeavesNothingForTheResetToRelease) {
    const std::string settings = SettingsXml("<Default><XLeft action=\"28\" "
                                             "keys=\"{MMBD}a{MMBU}\" keyaction=\"6\" "
                                             "keyrepeat=\"100\"/></Default>");
    ReplayRun run(settings);
    run.AddFile("same.xml", settings);
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "down XLeft\nup XLeft\nwait 250\ndown XLeft\nup XLeft\nwait 500\n"
                          "reload same.xml\nwait 500\nmove 401 400\n");
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A sticky hold that a profile switch ended while its button was still down does not start
// again on that button's release.
TEST(ReleasePairing, AStickyHoldEndedWhileItsButtonIsDownStaysEnded) {
    ReplayRun run(SettingsXml(
        "<SwitchOnMouseOver Enable=\"true\"/><Applications><Application Name=\"viewer.exe\" "
        "Enabled=\"true\"><Left action=\"28\" keys=\"{SHIFT}a\" keyaction=\"7\"/>"
        "</Application></Applications>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "move 1200 400\nforeground viewer\ndown Left\nmove 400 400\n"
                          "foreground editor\nwheel -120\nup Left\n");
    EXPECT_TRUE(Has(LineOf(lines, "down Left"), "\"vk\":160,\"up\":false"));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A sticky repeat started by a press that also switches the layer, with sticky states reset
// on any button: the release resets the repeat before its timer's id is known, and the
// repeat must stop all the same.
TEST(ReleasePairing, AStickyRepeatResetBeforeItsTimerIsKnownStops) {
    ReplayRun run(
        SettingsXml("<Layers Number=\"3\"/>"
                    "<ResetSticky Enabled=\"true\" Key=\"false\" Layer=\"false\"/>"
                    "<Default><TiltLeft action=\"28\" keys=\"{LAYER:2}x\" keyaction=\"6\" "
                    "keyrepeat=\"100\"/></Default>"));
    auto lines = run.Play(std::string(kNotepadDesktop) + "tilt -120\nwait 2000\nmove 401 400\n");
    EXPECT_LE(Count(lines, "\"vk\":88,\"up\":false"), 2u);
}

// A chord partner whose own slot defers to the default profile: the chord button's release
// first still lets the partner's keys go.
TEST(ReleasePairing, AChordPartnerReachedThroughTheDefaultProfileLetsItsKeysGo) {
    ReplayRun run(SettingsXml(
        "<Applications><Application Name=\"notepad.exe\" Enabled=\"true\"><Left action=\"128\">"
        "<chords BlockUntilEstablished=\"false\"><Right action=\"28\" keys=\"{CTRL}\" "
        "keyaction=\"2\"/></chords></Left><Right action=\"74\"/></Application></Applications>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "down Left\ndown Right\nup Left\nup Right\nwait 500\nmove 401 400\n");
    EXPECT_TRUE(Has(LineOf(lines, "down Right"), "\"vk\":162,\"up\":false"));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// Sticky keys that held and repeated at once, then a reset of every sticky state: ending
// the repeat leaves the hold's keys for the hold's own reset to let go. The same when the
// hold began under a profile that is no longer the current one.
TEST(ReleasePairing, AStickyHoldIsLetGoBesideARepeatAndUnderAnotherProfile) {
    const std::string settings = SettingsXml(
        "<SwitchOnMouseOver Enable=\"true\"/>"
        "<Default><XLeft action=\"28\" keys=\"x\" keyaction=\"7\"/>"
        "<XRight action=\"28\" keys=\"y\" keyaction=\"6\" keyrepeat=\"100\"/></Default>"
        "<Applications><Application Name=\"viewer.exe\" Enabled=\"true\">"
        "<Left action=\"28\" keys=\"{SHIFT}\" keyaction=\"7\"/></Application></Applications>");
    ReplayRun run(settings);
    run.AddFile("same.xml", settings);
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "down XLeft\nup XLeft\ndown XRight\nup XRight\nreload same.xml\n"
                          "wait 500\nmove 401 400\n");
    auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);

    lines = run.Play("move 1200 400\nforeground viewer\nwait 300\nmove 1201 400\ndown Left\n"
                     "up Left\nmove 400 400\nwait 300\nmove 401 400\nreload same.xml\n");
    EXPECT_TRUE(Has(LineOf(lines, "down Left"), "\"vk\":160,\"up\":false"));
    held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A modifier combination let go while no hook was set: hooking again ends the axis lock it
// held, which its unseen release would never end.
TEST(ReleasePairing, HookingAgainEndsWhatUnseenModifierKeysHeld) {
    ReplayRun run(SettingsXml("<LayerModifierKeys Enable=\"true\"><LayerKey6 Key=\"0\" "
                              "Modifier=\"4\"/></LayerModifierKeys>"));
    auto lines = run.Play(std::string(kNotepadDesktop) +
                          "key down 164\nmove 500 500\nunhook\nkey up 164\nhook\nmove 600 300\n");
    EXPECT_TRUE(Has(LineOf(lines, "move 500 500"), "\"result\":\"swallowed\""));
    EXPECT_TRUE(Has(LineOf(lines, "move 600 300"), "\"result\":\"passed\""))
        << LineOf(lines, "move 600 300");
}

// Sticky-hold keys that switch the layer still become sticky: the next click lets them go.
TEST(ReleasePairing, StickyHoldKeysThatSwitchTheLayerAreHeldAndLetGo) {
    ReplayRun run(SettingsXml(
        "<Default><Middle action=\"28\" keys=\"{LAYER:1}a\" keyaction=\"7\"/></Default>"));
    auto lines =
        run.Play(std::string(kNotepadDesktop) +
                 "down Middle\nup Middle\ndown Middle\nup Middle\nwait 500\nmove 401 400\n");
    EXPECT_TRUE(Has(LineOf(lines, "down Middle"), "\"vk\":65,\"up\":false"));
    const auto held = HeldAfter(lines);
    EXPECT_TRUE(held.Empty()) << Describe(held);
}

// A reset on any button that ends a sticky repeat drops the queued input it flushes from
// the count of the library's own events on their way back, or later events of other
// programs would be taken for the library's own.
TEST(ReleasePairing, FlushedInputIsNoLongerAwaited) {
    ReplayRun run(SettingsXml("<ResetSticky Enabled=\"true\" Key=\"false\" Layer=\"false\"/>"
                              "<Default><XRight action=\"28\" keys=\"x\" keyaction=\"6\" "
                              "keyrepeat=\"120\"/><WheelUp action=\"42\"/></Default>"));
    run.Play(std::string(kNotepadDesktop) +
             "down XRight\nup XRight\nwheel 120\nwait 500\nmove 401 400\n");
    EXPECT_EQ(g_nInjectCount, 0);
}

} // namespace
