#pragma once
#include "settings/SettingsStore.h"

namespace kv {

// The process-wide settings, created during start-up and destroyed at
// shut-down. Tests create and destroy it around each case.

// Builds every setting at its default (documents folder from the XDG user
// folders, main window from the work area) and returns it. Replaces any
// store that already exists.
SettingsStore& CreateSettings(const Rect& workArea = kFallbackWorkArea);
void DestroySettings();
bool HaveSettings();
// The store; throws CKVException when none has been created.
SettingsStore& Settings();

// Start-up: reads the user hive. False (defaults kept) when nothing is stored.
bool LoadSettings();
// A normal exit: writes the user hive. Never reports; false when not written.
bool SaveSettings();

} // namespace kv
