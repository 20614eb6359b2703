#pragma once

#include <string>

#include "uikit/controls/ContainerUI.h"

namespace uikit {

// A container filled from another markup file ("xmlfile") when it joins a window.
class CChildLayoutUI : public CContainerUI {
  public:
    std::u16string_view GetClass() const override;
    void* GetInterface(std::u16string_view name) override;
    void DoInit() override;
    void SetAttribute(std::u16string_view name, std::u16string_view value) override;

    std::u16string_view GetChildLayoutXML() const { return xmlFile_; }
    void SetChildLayoutXML(std::u16string_view file) { xmlFile_ = file; }

  private:
    std::u16string xmlFile_;
    bool built_ = false;
};

}  // namespace uikit
