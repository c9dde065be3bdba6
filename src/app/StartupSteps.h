#pragma once
namespace kv {

class PluginHost;

// The start-up and shut-down steps, one function each, in the order they
// run. Steps whose subsystem does not exist yet do nothing and say so.

void StartStreamLibrary();
void StopStreamLibrary();

// CPU features, floating-point mode, process values, the instance marker.
// Reports and returns false when the program cannot go on.
bool InitializeApplication();
void ReleaseInstanceMarker();

// Undo histories for every image created from now on.
void StartUndoHistory();
// Copies the undo limits from the settings into the program-wide registry.
void ApplyUndoLimits();
// Drops every recorded action (program exit).
void EndUndoHistory();

void LoadFontList();
void ReleaseFontList();
void LoadPlugins();
// The loaded plug-ins, or null before LoadPlugins and after UnloadPlugins.
const PluginHost* LoadedPlugins();
void UnloadPlugins();
void BuildShortcutTable();
void BuildDefaultSwatchSet();
void ClearSwatchSet();
void DeselectCurrentTool();

} // namespace kv
