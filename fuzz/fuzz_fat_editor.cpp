// Any bytes as the start of a diskette image: the editor reads only what its layout allows, lists
// only names it can write back as they stand, reads each listed file whole, and a file it writes
// reads back as written.
#include "fuzz_check.h"
#include "platform/fat_editor.h"

namespace {

void walk(const FatEditor& fat, const QStringList& dir, int depth) {
    const FatEditor::Listing listing = fat.list(dir);
    if (!listing.supported || !listing.exists || depth > 3)
        return;
    for (const FatEditor::Entry& entry : listing.entries) {
        FUZZ_CHECK(!FatEditor::shortName(entry.name).isEmpty(), entry.name);
        const QStringList path = dir + QStringList{entry.name};
        if (entry.directory) {
            walk(fat, path, depth + 1);
            continue;
        }
        FatEditor::Outcome outcome = FatEditor::Outcome::Done;
        if (const std::optional<QByteArray> data = fat.read(path, &outcome))
            FUZZ_CHECK(data->size() == entry.size, path.join('/'));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray image(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<FatLayout> layout = BootSector::read(image.left(BootSector::kBytes)).layout;
    if (!layout || layout->totalSectors * layout->bytesPerSector > 4 * 1024 * 1024)
        return 0;
    image.append(
        QByteArray(qMax<qint64>(0, layout->totalSectors * layout->bytesPerSector - image.size()), '\0'));
    std::unique_ptr<FatEditor> fat = FatEditor::fromBytes(image);
    FUZZ_CHECK(fat, QStringLiteral("a layout the boot sector reader takes"));
    walk(*fat, {}, 0);

    const QByteArray text("REM written\r\n", 13);
    const qint64 free = fat->freeBytes();
    if (fat->write({"NEW.TXT"}, text, QDateTime(QDate(2020, 1, 1), QTime(0, 0)), 0x20) ==
        FatEditor::Outcome::Done) {
        FatEditor::Outcome outcome = FatEditor::Outcome::Done;
        FUZZ_CHECK(fat->read({"new.txt"}, &outcome) == text, QStringLiteral("the new file reads back"));
        FUZZ_CHECK(fat->freeBytes() <= free, QStringLiteral("a new file took no room"));
        FUZZ_CHECK(fat->remove({"NEW.TXT"}) == FatEditor::Outcome::Done, QStringLiteral("the new file goes"));
        FUZZ_CHECK(!fat->read({"NEW.TXT"}, &outcome) && outcome == FatEditor::Outcome::Missing,
                   QStringLiteral("the removed file is gone"));
    }
    walk(*fat, {}, 0);
    return 0;
}
