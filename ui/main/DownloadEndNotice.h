#pragma once

#include <string>

#include "catalog/GameCatalog.h"
#include "download/Download.h"
#include "uikit/window/WindowWnd.h"

// Tells the player through the desktop that a download ended while the main window was not in
// front (another program active, or the window minimised): the player who watches the window
// sees the row change and needs no more.
class DownloadEndNotice final : public DownEngine::DownloadEndListener {
  public:
    static constexpr const char* kCompletedText = "下载完成";
    static constexpr const char* kFailedText = "下载失败";

    explicit DownloadEndNotice(const uikit::CWindowWnd& mainWindow) : mainWindow_(mainWindow) {}

    // The catalogue once its message has arrived: before that the workers may still fill it.
    void KnowCatalog(const GameCatalog* catalog) { catalog_ = catalog; }

    void DownloadEnded(const DownloadRecord& record, bool completed) override;

    // The game a file belongs to: the name of the package that offers it, else of a version of
    // its game, else the file's own name.
    std::u16string GameNameOf(const DownloadRecord& record) const;

  private:
    bool MainWindowInFront() const;

    const uikit::CWindowWnd& mainWindow_;
    const GameCatalog* catalog_ = nullptr;
};
