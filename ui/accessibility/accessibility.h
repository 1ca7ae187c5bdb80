#pragma once

// What a screen reader hears from the main window. Every label that shows a value (the read-outs of
// the inputs and the results of the budget) keeps its caption as accessible name and gives the text it
// shows as its accessible value and description: "Expanded Uncertainty of Level (k=2)", "0.15 dB". A
// position scroll bar gives the text of its read-out ("18.00 GHz") instead of its raw position.
//
// Qt creates an accessible interface the first time something asks for one and keeps it for the
// object's life, so InstallAccessibleInterfaces must run before the first window is built. The
// interfaces read the window at the moment they are asked: what they report does not depend on whether
// a screen reader was running when the window was built.

#include <QAccessible>

class Main;
class QLabel;

// Installs the interfaces for value labels and position scroll bars. Call once, after the application
// object exists and before the first window is created.
void InstallAccessibleInterfaces();

// Whether a label shows a value (a read-out or a result): it is a ValueLabel.
bool ShowsValue(const QLabel& label);

// After each evaluation, tells assistive technology once about every value (a value label, or a scroll
// bar's read-out) whose text has changed (a tester may listen instead).
using AccessibleEventSink = void (*)(QAccessibleEvent* event);
void AnnounceValueChanges(Main& window, AccessibleEventSink announce = &QAccessible::updateAccessibility);
