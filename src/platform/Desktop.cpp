#include "platform/Desktop.h"

namespace {

std::string& Buffer() {
  static std::string buffer;
  return buffer;
}

TPlatformServices Defaults() {
  return {[] { return Buffer(); }, [](const std::string& text) { Buffer() = text; }, [] { return uint32_t(500); }};
}

TPlatformServices& Services() {
  static TPlatformServices services = Defaults();
  return services;
}

}  // namespace

void SetPlatformServices(TPlatformServices services) {
  TPlatformServices defaults = Defaults();
  Services() = {services.getClipboard ? services.getClipboard : defaults.getClipboard,
                services.setClipboard ? services.setClipboard : defaults.setClipboard,
                services.doubleClickTime ? services.doubleClickTime : defaults.doubleClickTime};
}

std::string GetClipboardText() { return Services().getClipboard(); }
void SetClipboardText(const std::string& text) { Services().setClipboard(text); }
uint32_t DoubleClickTime() { return Services().doubleClickTime(); }
