// Printing to PDF files in place of a printer, read back with poppler's tools.
#include <QAbstractButton>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

#include <map>

#include "dialogs/abort_dialog.h"
#include "dirmerge/list_print.h"
#include "frame/command_ids.h"
#include "ui_test_main.h"
#include "window_harness.h"

using namespace tandel;
using test::WindowHarness;

namespace {

constexpr int kResolution = 300;
constexpr int kLinesPerPage = 60;

// A PDF printer; with a line height, its page holds kLinesPerPage and a half lines.
std::unique_ptr<QPrinter> pdfPrinter(const std::string& path, int lineHeight = 0) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    printer->setResolution(kResolution);
    if (lineHeight > 0) {
        const double inches = (kLinesPerPage + 0.5) * lineHeight / kResolution;
        printer->setPageSize(QPageSize(QSizeF(8.5, inches), QPageSize::Inch));
    }
    printer->setPageMargins(QMarginsF(0, 0, 0, 0));
    return printer;
}

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool ok = process.waitForFinished() && process.exitCode() == 0;
    return ok ? process.readAllStandardOutput() : QByteArray();
}

// The PDF's pages as pdftotext reads them, each as its lines not blank.
std::vector<QStringList> pdfPages(const std::string& pdf) {
    const QString text = QString::fromUtf8(
        run("pdftotext", {"-layout", QString::fromStdString(pdf), QStringLiteral("-")}));
    std::vector<QStringList> pages;
    for (const QString& page : text.split(QChar('\f'), Qt::SkipEmptyParts)) {
        QStringList lines;
        for (const QString& line : page.split(QChar('\n'))) {
            if (!line.trimmed().isEmpty()) {
                lines << line.trimmed();
            }
        }
        pages.push_back(lines);
    }
    return pages;
}

// A pair whose result, with the left side taken, is `lines` lines, printed.
std::unique_ptr<MainWindow> printResolved(WindowHarness& h, int lines) {
    const std::string one = test::numberedLines(lines);
    auto window = h.compare(one, one + "extra\n");
    QTest::keyClick(window.get(), Qt::Key_Left, Qt::ControlModifier); // Select From Left
    window->runCommand(cmd::kPrint);
    return window;
}

} // namespace

class PrintTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
    }

    // A page sized for 60 and a half printed lines holds 60.
    void pagesBreakAtTheLinesAPageHolds() {
        WindowHarness probe;
        probe.printer = [&] { return pdfPrinter(probe.folder.file("probe.pdf")); };
        const int lineHeight = printResolved(probe, 1)->frame().lastPrintLayout().lineHeight;
        QVERIFY(lineHeight > 1);
        WindowHarness h;
        const std::string pdf = h.folder.file("result.pdf");
        h.printer = [&] { return pdfPrinter(pdf, lineHeight); };
        auto window = printResolved(h, kLinesPerPage + 1);
        QCOMPARE(window->frame().lastPrintLayout().linesPerPage, kLinesPerPage);
        const auto pages = pdfPages(pdf);
        QCOMPARE(pages.size(), std::size_t(2));
        QCOMPARE(pages.front().size(), kLinesPerPage);
        QCOMPARE(pages.front().front(), QStringLiteral("line 1"));
        QCOMPARE(pages.back(), QStringList{QStringLiteral("line 61")});
        QVERIFY(h.dialogs.texts().empty());
    }

    void cancelAfterTheFirstPageLeavesThatPage() {
        WindowHarness h;
        const std::string pdf = h.folder.file("cancelled.pdf");
        h.printer = [&] { return pdfPrinter(pdf); };
        int pagesSeen = 0;
        const std::string one = test::numberedLines(400);
        auto window = h.compare(one, one + "extra\n");
        QTest::keyClick(window.get(), Qt::Key_Left, Qt::ControlModifier);
        connect(window.get(), &MainWindow::printPageFinished, this, [&](int page) {
            ++pagesSeen;
            QVERIFY(!window->isEnabled());
            AbortDialog* abort = window->frame().abortDialog();
            QVERIFY(abort != nullptr && abort->isVisible() && abort->isEnabled());
            if (page == 1) {
                QTest::mouseClick(abort->findChild<QAbstractButton*>(), Qt::LeftButton);
            }
        });
        window->runCommand(cmd::kPrint);
        QCOMPARE(pagesSeen, 1);
        QCOMPARE(pdfPages(pdf).size(), std::size_t(1));
        QVERIFY(window->isEnabled());
        QVERIFY(window->frame().abortDialog() == nullptr);
    }

    void theDirectoryListsPrintInTwoColumnsWithDifferentHalvesGrey() {
        WindowHarness h;
        const std::string pdf = h.folder.file("lists.pdf");
        h.printer = [&] { return pdfPrinter(pdf); };
        h.folder.write("one/same.txt", "x\n");
        h.folder.write("two/same.txt", "x\n");
        h.folder.write("one/changed.txt", "old\n");
        h.folder.write("two/changed.txt", "new\n");
        h.folder.write("one/left.txt", "only here\n");
        auto window = h.open({"-d1", h.folder.file("one"), "-d2", h.folder.file("two"), "-outd",
                              h.folder.file("out"), "-mandc"});
        QCoreApplication::sendPostedEvents(); // the list build
        window->runCommand(cmd::kPrint);
        QVERIFY(h.dialogs.texts().empty());

        const QStringList rows = pdfPages(pdf).at(0);
        const std::map<QString, std::pair<bool, bool>> grey = {{"same.txt", {false, false}},
                                                               {"changed.txt", {true, true}},
                                                               {"left.txt", {true, false}}};
        QCOMPARE(rows.size(), 3);
        constexpr int kDpi = 60;
        const QString prefix = QString::fromStdString(h.folder.file("page"));
        run("pdftoppm", {"-r", QString::number(kDpi), "-singlefile", "-png",
                         QString::fromStdString(pdf), prefix});
        const QImage page(prefix + QStringLiteral(".png"));
        QVERIFY(!page.isNull());
        const PageLayout& layout = window->frame().lastPrintLayout();
        const int column = page.width() / 2;
        const auto isGrey = [&](int x, int y) {
            const QColor c = page.pixelColor(x, y);
            return std::abs(c.red() - kDifferentCellGrey) < 8 && c.red() == c.blue();
        };
        for (int i = 0; i < rows.size(); ++i) {
            const QString name = rows[i].section(QChar('/'), -1);
            QVERIFY2(grey.count(name) == 1, qPrintable(rows[i]));
            const int y = int((static_cast<double>(layout.lineY(i)) + layout.lineHeight / 2.0) *
                              kDpi / kResolution);
            QCOMPARE(isGrey(column - 4, y), grey.at(name).first);
            QCOMPARE(isGrey(2 * column - 4, y), grey.at(name).second);
        }
    }

    void aPrinterThatCannotStartIsReported() {
        WindowHarness h;
        h.printer = [&] { return pdfPrinter(h.folder.file("missing/folder/out.pdf")); };
        auto window = printResolved(h, 3);
        QCOMPARE(h.dialogs.texts().back(), QStringLiteral("Unable to start print job"));
        QVERIFY(window->isEnabled());
        QVERIFY(window->frame().abortDialog() == nullptr);
    }
};

TANDEL_UI_TEST(PrintTest)
#include "print_test.moc"
