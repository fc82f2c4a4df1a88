#include "app/gui_link.h"

#include "ui/message_service.h"

namespace tc {

LinkPlatform GuiLinkPlatform() {
  LinkPlatform p = PosixLinkPlatform();
  p.ShowError = [](const std::string& text) { ShowError(text); };
  return p;
}

}  // namespace tc
