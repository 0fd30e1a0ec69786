// A Qt application that lists a folder in a GlideListView: name, size, date modified and kind,
// folders first. Clicking a column header sorts by it; double clicking a folder opens it.
//
//     glv_qt_folder [FOLDER] [--grab OUT.png]
//
// --grab shows the window, writes its picture to OUT.png and quits (for screenshots and CI).
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include <iostream>

#include "GlideListViewWidget.h"

namespace {

using glv::qt::GlideListViewWidget;

void ListFolder(GlideListViewWidget& widget, QMainWindow& window, const QDir& dir) {
    glv::GlideListView& list = widget.control();
    const QFileInfoList entries = dir.entryInfoList(QDir::AllEntries | QDir::NoDot,
                                                    QDir::DirsFirst | QDir::Name | QDir::IgnoreCase);
    const QLocale locale = QLocale::c();
    list.BeginUpdate();
    list.ClearItems();
    for (const QFileInfo& entry : entries) {
        const bool folder = entry.isDir();
        const QString cells[] = {
            entry.fileName(), folder ? QString() : locale.formattedDataSize(entry.size()),
            entry.lastModified().toString("yyyy-MM-dd hh:mm"),
            folder ? QString("Folder") : (entry.suffix().toUpper() + " file").trimmed()};
        // One array makes a new item: a text and an icon (-1, none) for each column.
        std::vector<glv::Variant> fields;
        for (const QString& cell : cells) fields.insert(fields.end(), {glv::Variant(cell.toStdString()), glv::Variant(-1)});
        list.AddItemQuick(glv::Variant::Array(std::move(fields), 0));
    }
    list.EndUpdate();
    window.setWindowTitle(dir.absolutePath());
    window.statusBar()->showMessage(QString("%1 entries").arg(entries.size()));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString grab;
    if (const qsizetype at = args.indexOf("--grab"); at >= 0 && at + 1 < args.size()) {
        grab = args.at(at + 1);
        args.remove(at, 2);
    }
    QDir dir(args.isEmpty() ? QDir::currentPath() : args.first());
    if (!dir.exists()) {
        std::cerr << "glv_qt_folder: no folder " << dir.path().toStdString() << "\n";
        return 2;
    }

    QMainWindow window;
    auto* widget = new GlideListViewWidget(&window);
    window.setCentralWidget(widget);
    glv::GlideListView& list = widget->control();
    list.AddColumn("Name", -1, 240);
    list.AddColumn("Size", -1, 90);
    list.AddColumn("Modified", -1, 130);
    list.AddColumn("Kind", -1, 110);
    ListFolder(*widget, window, dir);

    QObject::connect(widget, &GlideListViewWidget::columnClicked, [&list](int column) {
        const bool ascending = list.SortedColumn() != column || list.SortOrder() != 0;
        list.SortColumn(column, ascending ? 0 : 1);
    });
    QObject::connect(widget, &GlideListViewWidget::itemDoubleClicked, [&](int index, int) {
        const QFileInfo entry(dir, QString::fromStdString(list.ItemRecord(index).cLIText));
        if (!entry.isDir()) return;
        dir.setPath(entry.absoluteFilePath());
        ListFolder(*widget, window, dir);
    });

    window.resize(640, 400);
    window.show();
    if (!grab.isEmpty()) {
        // The second row selected with the focus, as after a click on it.
        window.activateWindow();
        widget->setFocus();
        if (list.ItemCount() >= 2) list.SetSelectedIndex(2);
        QTimer::singleShot(0, [&] {
            const bool saved = window.grab().save(grab);
            std::cout << (saved ? "wrote " : "could not write ") << grab.toStdString() << "\n";
            app.exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
