#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <QtGlobal>

class BrowserLauncher;
class QLabel;
class QPushButton;

/// The information screen: program, version, purpose, donations and how to cite the program,
/// with a copy of the citation to the clipboard. Modal; destroys itself when it is closed.
class TfrmSplashScreen : public QDialog {
  Q_OBJECT

 public:
  TfrmSplashScreen(QWidget* owner, BrowserLauncher& browser);

  /// The program's version as four numbers, from the project version the build was made with.
  static QString GetVersionString();
  /// Four numbers from the two 32-bit version words: high and low half of each, joined by ".".
  static QString VersionString(quint32 mostSignificant, quint32 leastSignificant);
  /// The citation line shown in lbReference.
  static QString Citation();
  /// The web page that Button2 opens.
  static QString HomePage();
  /// The background: a dot plot of two related sequences drawn by the program itself, dark
  /// enough for white text.
  static QImage BackgroundPicture(const QSize& size);

  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lbAuthor = nullptr;
  QLabel* lbVersion = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* Label10 = nullptr;
  QLabel* lbReference = nullptr;
  QPushButton* btRef2Clipboard = nullptr;
  QPushButton* Button1 = nullptr;  // OK
  QPushButton* Button2 = nullptr;  // visit the home page

 public slots:
  void btRef2ClipboardClick();
  void Button1Click();
  void Button2Click();

 private:
  BrowserLauncher& m_browser;
};
