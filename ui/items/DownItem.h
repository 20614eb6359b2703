#pragma once

#include "context/DownloadRecord.h"
#include "ui/items/ItemControl.h"

namespace uikit {
class CCheckBoxUI;
class CControlUI;
}  // namespace uikit

// One file row of the download selection window: a check box, ticked by the markup, and the
// file's name. The row only shows; the window reads the boxes and owns the record.
class DownItem : public ItemControl {
  public:
    // The record belongs to the selection window, which outlives the row or hands the record on
    // and clears this pointer.
    explicit DownItem(DownloadRecord* fileRecord)
        : ItemControl(u"CDownItemUI", u"DownItem.xml"), record(fileRecord) {}

    uikit::CCheckBoxUI* CheckBox() const { return checkBox_; }
    uikit::CControlUI* NameLabel() const { return nameLabel_; }
    uikit::CControlUI* Box() const { return box_; }

    DownloadRecord* record;

  protected:
    void OnBuilt() override;

  private:
    uikit::CCheckBoxUI* checkBox_ = nullptr;  // "checkBtn"
    uikit::CControlUI* nameLabel_ = nullptr;  // "nameLabel"
    uikit::CControlUI* box_ = nullptr;        // "itemBox"
};
