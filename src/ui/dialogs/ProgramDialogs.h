#pragma once
#include "commands/host/DialogValues.h"

class QWidget;

namespace kv {

class PluginHost;

// Runs the dialog that the values belong to, modal over `owner`; true when
// the user confirmed, and the values then hold what the dialog gathered.
bool RunProgramDialog(QWidget* owner, DialogValues& values);

// The dialogs the Tools and Help menus open. Options answers whether the
// settings were applied.
bool RunOptionsDialog(QWidget* owner);
void RunPluginsDialog(QWidget* owner, const PluginHost& host);
void RunAboutDialog(QWidget* owner);

} // namespace kv
