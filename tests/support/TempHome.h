#pragma once

#include <QString>
#include <QTemporaryDir>

namespace pulsewell::test {

// A fresh program folder and settings folder for one test, pointed to by
// PULSEWELL_HOME and XDG_CONFIG_HOME while it lives; removed afterwards.
class TempHome {
  public:
    TempHome();
    ~TempHome();
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    QString ProgramFolder() const;  // ends with "/"
    QString ConfigFolder() const;

  private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
    QByteArray oldConfig_;
};

}  // namespace pulsewell::test
