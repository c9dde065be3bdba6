#include "ui/dialogs/ProgramDialogs.h"

#include "commands/host/CommandSupport.h"
#include "model/Image.h"
#include "model/Project.h"
#include "settings/Settings.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/ImagePropertiesDialog.h"
#include "ui/dialogs/LayerPropertiesDialog.h"
#include "ui/dialogs/NewImageDialog.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/PluginsDialog.h"
#include "ui/dialogs/SelectImageDialog.h"

namespace kv {
namespace {

template <class Dialog, class Values> bool Run(Dialog& dialog, Values& values) {
    if (dialog.exec() != QDialog::Accepted) return false;
    values = dialog.values();
    return true;
}

bool RunFor(QWidget* owner, NewImageValues& values) {
    NewImageDialog dialog(values, values.forNewProject ? nullptr : CurrentProject(), owner);
    return Run(dialog, values);
}

bool RunFor(QWidget* owner, ImagePropertiesValues& values) {
    ImagePropertiesDialog dialog(values, owner);
    return Run(dialog, values);
}

bool RunFor(QWidget* owner, LayerPropertiesValues& values) {
    const Image* image = CurrentImage();
    LayerPropertiesDialog dialog(values, image ? image->currentLayer() : nullptr, owner);
    return Run(dialog, values);
}

bool RunFor(QWidget* owner, SelectImageValues& values) {
    SelectImageDialog dialog(values, owner);
    return Run(dialog, values);
}

} // namespace

bool RunProgramDialog(QWidget* owner, DialogValues& values) {
    return std::visit([owner](auto& v) { return RunFor(owner, v); }, values);
}

bool RunOptionsDialog(QWidget* owner) {
    OptionsDialog dialog(Settings(), owner);
    return dialog.exec() == QDialog::Accepted;
}

void RunPluginsDialog(QWidget* owner, const PluginHost& host) {
    PluginsDialog dialog(host, owner);
    dialog.exec();
}

void RunAboutDialog(QWidget* owner) {
    AboutDialog dialog(owner);
    dialog.exec();
}

} // namespace kv
