// The program's one top-level window: title bar with system menu, minimise and maximise,
// no sizing border, outer corner at a given screen position, client area of a given size.
#pragma once

#include <QWidget>
#include <memory>

#include "platform/qt/fonts.h"

namespace tarvenix {

class AppWindow final : public QWidget {
    Q_OBJECT

  public:
    // Opens the window, shown in its normal state; nullptr when it cannot be created.
    // The font is the default of every control created in it afterwards.
    static std::unique_ptr<AppWindow> open(int x, int y, int clientWidth, int clientHeight,
                                           const QString& title, const FontDescription& controlFont);

  signals:
    // The user closed the window (close box, system menu, Alt+F4).
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    AppWindow();
};

}  // namespace tarvenix
