#pragma once

// Installs the Qt side of the platform services: message boxes, the clipboard and the
// double-click time, and fixes number formatting to "." whatever the user's locale.
// Call once the QApplication exists.
void InstallQtPlatform();
