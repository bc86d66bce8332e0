#pragma once

#include <QDialog>

#include "app/DesktopServices.h"

class QLabel;
class QPushButton;
class QTextEdit;

namespace velmora::app {

// The about window: the product's name and version, the rights notice, the
// maker's contact lines with a web and a mail link, and the credits. Each
// showing centres it in the work area, plays the notification sound and puts
// the focus on "OK", so Enter closes it.
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr char kCaption[] = "O Programie";
    static constexpr char kVersion[] = "1.0 Demo";
    static constexpr char kWebAddress[] = "https://velmora.example.org/";
    static constexpr char kMailAddress[] = "kontakt@velmora.example.org";
    static constexpr char kMailSubject[] = "[Velmora Demo]";

    // The controls the window works with, as the form builder hands them over.
    struct Controls {
        QLabel* versionLabel = nullptr;
        QLabel* webLink = nullptr;
        QLabel* mailLink = nullptr;
        QTextEdit* contactLines = nullptr;
        QTextEdit* creditRoles = nullptr;
        QTextEdit* credited = nullptr;
        QPushButton* okButton = nullptr;
    };

    explicit AboutWindow(QWidget* parent = nullptr, DesktopServices services = {});

    void OpenWebPage();
    void WriteMail();
    QPushButton& OkButton() const { return *controls_.okButton; }
    const Controls& Parts() const { return controls_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    DesktopServices services_;
    Controls controls_;
};

}  // namespace velmora::app
