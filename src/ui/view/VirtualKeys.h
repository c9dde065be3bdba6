#pragma once
// Tools speak in the virtual key codes of the keyboard messages they were
// designed around (16 SHIFT, 17 CTRL, 18 ALT, 'A' 65, ...).
namespace kv {

// The virtual key of a Qt key code, or 0 for keys that tools never see.
int VirtualKeyOf(int qtKey);

} // namespace kv
