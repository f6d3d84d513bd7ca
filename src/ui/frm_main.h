// The main window of TARNO-SIG.
#pragma once

#include <QMainWindow>

namespace tarno::ui {

class FrmMain0 : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain0(QWidget* parent = nullptr);
};

}  // namespace tarno::ui
