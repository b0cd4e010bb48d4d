// Printing as the user meets it, on PDF files in place of a printer: page
// breaks at the lines a page holds, the text read back with pdftotext, the
// differences only, and Cancel in the abort dialog after the first page.
#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QtTest>

#include <cstdlib>
#include <map>

#include "ui_test_main.h"
#include "dialogs/abort_dialog.h"
#include "dirmerge/list_print.h"
#include "frame/command_ids.h"
#include "view/print_setup.h"
#include "window_harness.h"

using tandel::MainWindow;
using tandel::test::WindowHarness;

namespace {

constexpr int kResolution = 300;
constexpr int kLinesPerPage = 60;

// A PDF file in place of the printer the print dialog gives. With a line
// height, the page is made to hold kLinesPerPage lines and half a line more.
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

// The PDF's pages as pdftotext reads them.
QStringList pdfPages(const std::string& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QString::fromStdString(pdf), QStringLiteral("-")});
    if (!process.waitForFinished() || process.exitCode() != 0) {
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QChar('\f'));
    pages.removeLast(); // every page ends in a form feed
    return pages;
}

QStringList textLines(const QString& page) {
    QStringList lines;
    for (const QString& line : page.split(QChar('\n'))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.trimmed();
        }
    }
    return lines;
}

// Page 1 of the PDF rendered at `dpi` dots per inch.
QImage firstPageImage(const std::string& pdf, int dpi, const QString& folder) {
    const QString prefix = folder + QStringLiteral("/page");
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                   QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                   QStringLiteral("-singlefile"), QStringLiteral("-png"),
                   QString::fromStdString(pdf), prefix});
    if (!process.waitForFinished() || process.exitCode() != 0) {
        return {};
    }
    return QImage(prefix + QStringLiteral(".png"));
}

std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        text += "line " + std::to_string(i) + "\n";
    }
    return text;
}

// A pair whose result, with the left side taken, is `lines` lines: file 2
// has one line more at the end.
std::unique_ptr<MainWindow> openResolved(WindowHarness& h, int lines) {
    const std::string one = numberedLines(lines);
    auto window = h.open({h.folder.write("one.txt", one), h.folder.write("two.txt", one + "extra\n")});
    QCoreApplication::sendPostedEvents();
    QTest::keyClick(window.get(), Qt::Key_Left, Qt::ControlModifier); // Select From Left
    return window;
}

// The line height a page of the PDF printer gets, from a job of one line.
int probeLineHeight() {
    WindowHarness h;
    const std::string pdf = h.folder.file("probe.pdf");
    h.printer = [&] { return pdfPrinter(pdf); };
    auto window = openResolved(h, 1);
    window->runCommand(tandel::cmd::kPrint);
    return window->lastPrintLayout().lineHeight;
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

    void pagesBreakAtTheLinesAPageHolds() {
        const int lineHeight = probeLineHeight();
        QVERIFY(lineHeight > 1);
        for (const int lines : {59, 60, 61}) {
            WindowHarness h;
            const std::string pdf = h.folder.file("result.pdf");
            h.printer = [&] { return pdfPrinter(pdf, lineHeight); };
            auto window = openResolved(h, lines);
            window->runCommand(tandel::cmd::kPrint);
            QCOMPARE(window->lastPrintLayout().linesPerPage, kLinesPerPage);
            const QStringList pages = pdfPages(pdf);
            QCOMPARE(pages.size(), lines > kLinesPerPage ? 2 : 1);
            const QStringList first = textLines(pages.front());
            QCOMPARE(first.size(), std::min(lines, kLinesPerPage));
            QCOMPARE(first.front(), QStringLiteral("line 1"));
            QCOMPARE(textLines(pages.back()).back(), QStringLiteral("line %1").arg(lines));
            QVERIFY(h.dialogs.texts().empty());
        }
    }

    void differencesOnlyPrintsTheChangesWithTheirMarks() {
        WindowHarness h;
        const std::string pdf = h.folder.file("diffs.pdf");
        h.printer = [&] { return pdfPrinter(pdf); };
        auto window = h.open({h.folder.write("one.txt", "same\nold & tab\there\nsame too\n"),
                              h.folder.write("two.txt", "same\nnew\nsame too\n")});
        QCoreApplication::sendPostedEvents();
        window->application().settings.record.diffsOnly = 1;
        window->runCommand(tandel::cmd::kPrint); // unresolved does not matter here
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        const QStringList lines = textLines(pages.front());
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines[0], QStringLiteral("--File 1--"));
        // A single "&" stays one, and the tab is opened into blanks.
        QVERIFY2(lines[1].startsWith(QStringLiteral("<<2 old & tab")) &&
                     lines[1].endsWith(QStringLiteral("here")) && !lines[1].contains('\t'),
                 qPrintable(lines[1]));
        QCOMPARE(lines[2], QStringLiteral("--File 2--"));
        QCOMPARE(lines[3], QStringLiteral(">>2 new"));
        QCOMPARE(lines[4], QStringLiteral("----------"));
    }

    void cancelAfterTheFirstPageLeavesThatPage() {
        WindowHarness h;
        const std::string pdf = h.folder.file("cancelled.pdf");
        h.printer = [&] { return pdfPrinter(pdf); };
        auto window = openResolved(h, 400);
        int pagesSeen = 0;
        connect(window.get(), &MainWindow::printPageFinished, this, [&](int page) {
            ++pagesSeen;
            // While the job runs, its abort dialog is the window that takes input.
            QVERIFY(!window->isEnabled());
            tandel::AbortDialog* abort = window->abortDialog();
            QVERIFY(abort != nullptr && abort->isVisible() && abort->isEnabled());
            QCOMPARE(abort->windowTitle(), QStringLiteral("Abort printing"));
            QStringList texts;
            for (const QLabel* label : abort->findChildren<QLabel*>()) {
                texts << label->text();
            }
            QCOMPARE(texts, (QStringList{"Printing text", "Press Cancel to terminate"}));
            if (page == 1) {
                auto* cancel = abort->findChild<QAbstractButton*>();
                QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
                QTest::mouseClick(cancel, Qt::LeftButton);
            }
        });
        window->runCommand(tandel::cmd::kPrint);
        QCOMPARE(pagesSeen, 1);
        QCOMPARE(pdfPages(pdf).size(), 1);
        QVERIFY(window->isEnabled());
        QVERIFY(window->abortDialog() == nullptr);
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
        window->runCommand(tandel::cmd::kPrint);
        QVERIFY(h.dialogs.texts().empty());

        // The rows as printed, named by their file; the grey of each half.
        const QStringList rows = textLines(pdfPages(pdf).value(0));
        const std::map<QString, std::pair<bool, bool>> grey = {
            {"same.txt", {false, false}}, {"changed.txt", {true, true}}, {"left.txt", {true, false}}};
        QCOMPARE(rows.size(), 3);
        constexpr int kDpi = 60;
        const QImage page = firstPageImage(pdf, kDpi, QString::fromStdString(h.folder.path()));
        QVERIFY(!page.isNull());
        const tandel::PageLayout& layout = window->lastPrintLayout();
        const double scale = double(kDpi) / kResolution;
        const int column = page.width() / 2;
        const auto isGrey = [&](int x, int y) {
            const QColor c = page.pixelColor(x, y);
            return std::abs(c.red() - tandel::kDifferentCellGrey) < 8 && c.red() == c.blue();
        };
        for (int i = 0; i < rows.size(); ++i) {
            const QString name = rows[i].section(QChar('/'), -1);
            QVERIFY2(grey.count(name) == 1, qPrintable(rows[i]));
            // The middle of the row, right of where the text can reach.
            const int y = int((layout.lineY(i) + layout.lineHeight / 2.0) * scale);
            QCOMPARE(isGrey(column - 4, y), grey.at(name).first);
            QCOMPARE(isGrey(2 * column - 4, y), grey.at(name).second);
        }
    }

    void aPrinterWithNowhereToPrintIsReportedAndAPdfFileIsOffered() {
        WindowHarness h;
        h.printer = [] {
            auto printer = std::make_unique<QPrinter>();
            printer->setOutputFormat(QPrinter::NativeFormat);
            printer->setPrinterName({});
            return printer;
        };
        auto window = openResolved(h, 3);
        window->runCommand(tandel::cmd::kPrint);
        QVERIFY(h.dialogs.texts().back().startsWith(QStringLiteral("There is no printer")));
        QVERIFY(window->isEnabled());

        QPrinter printer;
        QPrintDialog dialog(&printer);
        tandel::ui::restrictPrintDialog(dialog);
        QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    }

    void aPrinterThatCannotStartIsReported() {
        WindowHarness h;
        h.printer = [&] { return pdfPrinter(h.folder.file("missing/folder/out.pdf")); };
        auto window = openResolved(h, 3);
        window->runCommand(tandel::cmd::kPrint);
        QVERIFY(h.dialogs.texts().back() == QStringLiteral("Unable to start print job"));
        QVERIFY(window->isEnabled());
        QVERIFY(window->abortDialog() == nullptr);
    }
};

TANDEL_UI_TEST(PrintTest)
#include "print_test.moc"
