#pragma once
#include <Qt>
#include <string>

// The GUI speaks Windows virtual-key codes and character codes; these turn Qt's key
// events into them.

// The virtual-key code of a Qt key, 0 for keys the GUI has no code for. Shifted
// punctuation gives the code of its unshifted key (US layout), as Windows does.
int VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

// The character codes a key press types: its text as UTF-16 code units, or the control
// code (1 to 26) for Ctrl with a letter, which is how copy (3), paste (22) and cut (24)
// arrive. Delete types nothing.
std::u16string CharCodes(int qtKey, Qt::KeyboardModifiers modifiers, const std::u16string& text);
