#include "gui/InformationScreen.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <vector>

#include "DuvanetVersion.h"
#include "engine/DotPlotEngine.h"
#include "gui/ApplicationTitle.h"
#include "gui/BrowserLauncher.h"
#include "gui/Icons.h"
#include "gui/OpenUrl.h"
#include "gui/WindowDefaults.h"

namespace {

constexpr QSize kClientSize(592, 442);

QFont labelFont(const QString& family, int pixelSize, bool bold) {
  QFont font(family);
  if (family == QStringLiteral("Courier New")) font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// A small deterministic generator, so the picture is the same on every start.
quint32 nextRandom(quint32& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

}  // namespace

TfrmSplashScreen::TfrmSplashScreen(QWidget* owner, duvanet::gui::BrowserLauncher& browser)
    : QDialog(owner), m_browser(browser) {
  setObjectName(QStringLiteral("frmSplashScreen"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
  setFixedSize(kClientSize);
  setWindowIcon(duvanet::gui::icons::own(QStringLiteral("dotplot")));
  duvanet::gui::setWindowFont(*this);

  m_background = new QLabel(this);
  m_background->setObjectName(QStringLiteral("Image1"));
  m_background->setGeometry(QRect(QPoint(0, 0), kClientSize));
  m_background->setScaledContents(true);
  m_background->setPixmap(QPixmap::fromImage(BackgroundPicture(kClientSize)));

  const auto label = [this](const char* name, const QString& text, const QFont& font,
                            const QColor& colour, const QRect& geometry, bool wrap) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QLatin1String(name));
    l->setFont(font);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    l->setAutoFillBackground(false);
    l->setGeometry(geometry);
    l->setWordWrap(wrap);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
  };
  const QString courier = QStringLiteral("Courier New");
  const QString sans = QStringLiteral("MS Sans Serif");
  const QColor white(Qt::white);

  m_titleLabel = label("Label1", QString(), labelFont(courier, 35, true), QColor(0x00, 0xFF, 0xFF),
                       QRect(16, 10, 560, 44), false);
  m_authorLabel = label("lbAuthor", QString(), labelFont(courier, 13, false), white,
                        QRect(20, 62, 552, 17), false);
  m_versionLabel = label("lbVersion", QString(), labelFont(courier, 13, false), white,
                         QRect(20, 80, 552, 17), false);
  m_purposeLabel =
      label("Label5",
            QStringLiteral("This tool allows fast access on text and DNA or protein "
                           "sequences to create dot plots, translate DNA and investigate "
                           "sequences stochastically."),
            labelFont(courier, 13, true), white, QRect(20, 106, 552, 50), true);
  m_warningLabel = label("Label4", QString(), labelFont(courier, 16, true),
                         QColor(0xFF, 0x00, 0x00), QRect(20, 158, 552, 20), true);
  m_noteLabel = label("Label6", QString(), labelFont(courier, 13, true), white,
                      QRect(20, 180, 552, 17), true);
  m_donorGroupsLabel =
      label("Label2", QStringLiteral("Students   Educational  Institutions   Commercial"),
            labelFont(courier, 15, true), white, QRect(20, 204, 560, 19), false);
  m_donationRuleLabel = label("Label8", QString(64, QLatin1Char('_')),
                              labelFont(courier, 11, false), white, QRect(20, 214, 560, 15), false);
  m_donationAmountsLabel =
      label("Label9", QStringLiteral("10 €        40 €         100 €          200 €"),
            labelFont(courier, 15, true), white, QRect(20, 234, 560, 19), false);
  m_donationLabel =
      label("Label3", QStringLiteral("Donations help to keep Duvanet free and maintained."),
            labelFont(courier, 16, true), white, QRect(20, 264, 560, 20), false);
  m_howToDonateLabel = label("Label10", QStringLiteral("How to donate: ") + HomePage(),
                             labelFont(courier, 16, true), white, QRect(20, 286, 560, 20), false);
  m_citationIntroLabel =
      label("Label7",
            QStringLiteral("When you use  this software for your scientific work, please "
                           "reference it as:"),
            labelFont(sans, 13, true), white, QRect(20, 324, 560, 17), false);
  // The citation is one line; where the font is wider than designed it is made smaller until
  // the whole line fits.
  m_referenceLabel = label("lbReference", Citation(), labelFont(sans, 13, true), white,
                           QRect(20, 344, 552, 17), false);
  QFont referenceFont = m_referenceLabel->font();
  while (referenceFont.pixelSize() > 8 &&
         QFontMetrics(referenceFont).horizontalAdvance(m_referenceLabel->text()) >
             m_referenceLabel->width())
    referenceFont.setPixelSize(referenceFont.pixelSize() - 1);
  m_referenceLabel->setFont(referenceFont);

  m_copyReferenceButton = new QPushButton(QStringLiteral("Copy reference to clipboard"), this);
  m_copyReferenceButton->setObjectName(QStringLiteral("btRef2Clipboard"));
  m_copyReferenceButton->setGeometry(20, 400, 180, 27);
  m_okButton = new QPushButton(QStringLiteral("OK"), this);
  m_okButton->setObjectName(QStringLiteral("Button1"));
  m_okButton->setGeometry(246, 400, 100, 27);
  m_okButton->setDefault(true);
  m_homePageButton = new QPushButton(QStringLiteral("Visit the Duvanet home page"), this);
  m_homePageButton->setObjectName(QStringLiteral("Button2"));
  m_homePageButton->setGeometry(392, 400, 180, 27);
  for (QPushButton* b : {m_copyReferenceButton, m_homePageButton}) b->setAutoDefault(false);
  connect(m_copyReferenceButton, &QPushButton::clicked, this,
          &TfrmSplashScreen::btRef2ClipboardClick);
  connect(m_okButton, &QPushButton::clicked, this, &TfrmSplashScreen::Button1Click);
  connect(m_homePageButton, &QPushButton::clicked, this, &TfrmSplashScreen::Button2Click);

  // FormCreate
  const QString title = duvanet::gui::ApplicationTitle();
  setWindowTitle(title + QStringLiteral(" information"));
  m_titleLabel->setText(title);
  m_authorLabel->setText(QStringLiteral("Author: the Duvanet developers"));
  m_versionLabel->setText(QStringLiteral("Version: ") + GetVersionString());

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

QString TfrmSplashScreen::VersionString(quint32 mostSignificant, quint32 leastSignificant) {
  return QStringLiteral("%1.%2.%3.%4")
      .arg(mostSignificant >> 16)
      .arg(mostSignificant & 0xFFFFu)
      .arg(leastSignificant >> 16)
      .arg(leastSignificant & 0xFFFFu);
}

QString TfrmSplashScreen::GetVersionString() {
  const quint32 ms = (quint32{DUVANET_VERSION_MAJOR} << 16) | quint32{DUVANET_VERSION_MINOR};
  const quint32 ls = (quint32{DUVANET_VERSION_PATCH} << 16) | quint32{DUVANET_VERSION_TWEAK};
  return VersionString(ms, ls);
}

QString TfrmSplashScreen::HomePage() { return QStringLiteral(DUVANET_HOMEPAGE); }

QString TfrmSplashScreen::Citation() {
  return QStringLiteral("The Duvanet developers (2008) Duvanet - A software for dot-plots. ") +
         HomePage();
}

QImage TfrmSplashScreen::BackgroundPicture(const QSize& size) {
  constexpr int kCell = 3;
  constexpr int kWindow = 8;
  const int columns = size.width() / kCell + 1;
  const int rows = size.height() / kCell + 1;
  const char16_t bases[] = {u'A', u'C', u'G', u'T'};
  quint32 state = 20081;
  std::u16string horizontal;
  for (int i = 0; i < columns + kWindow; ++i) horizontal += bases[nextRandom(state) % 4];
  // The vertical sequence shares stretches with the horizontal one: a shifted copy with point
  // mutations, a repeat and an inverted piece, so diagonals and an anti-diagonal show.
  std::u16string vertical = horizontal.substr(20, 60) + horizontal.substr(20, 40);
  const std::u16string piece = horizontal.substr(110, 50);
  vertical += std::u16string(piece.rbegin(), piece.rend());
  while (vertical.size() < static_cast<size_t>(rows + kWindow)) {
    vertical += bases[nextRandom(state) % 4];
  }
  for (size_t i = 0; i < vertical.size(); i += 7) {
    if (nextRandom(state) % 5 == 0) vertical[i] = bases[nextRandom(state) % 4];
  }

  // The identity plot of the two, one cell per window pair.
  duvanet::engine::DotPlotComputeRequest request;
  request.strands = {horizontal, vertical, {}, {}};
  request.windowSize = kWindow;
  request.type = dptIdentity;
  request.threads = 1;
  request.region = duvanet::engine::CellRect{0, 0, columns, rows};
  const duvanet::engine::DotPlotComputeResult plot = duvanet::engine::computeDotPlot(request);

  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::black);
  if (!plot.isFilled()) return image;
  const duvanet::engine::DotPlotGrid& grid = plot.grid;
  QPainter painter(&image);
  for (int y = 0; y < grid.binsY(); ++y) {
    for (int x = 0; x < grid.binsX(); ++x) {
      const int matches = grid.at(x, y);
      const double level = std::pow(static_cast<double>(matches) / kWindow, 3.0);
      // Deep blue background, matches towards teal; kept dark so white text stays readable.
      const QColor colour(static_cast<int>(8 + 30 * level), static_cast<int>(14 + 110 * level),
                          static_cast<int>(40 + 110 * level));
      painter.fillRect(x * kCell, y * kCell, kCell, kCell, colour);
    }
  }
  return image;
}

void TfrmSplashScreen::btRef2ClipboardClick() {
  QGuiApplication::clipboard()->setText(m_referenceLabel->text(), QClipboard::Clipboard);
}

void TfrmSplashScreen::Button1Click() { close(); }

void TfrmSplashScreen::Button2Click() { OpenURLInBrowser(m_browser, HomePage()); }
