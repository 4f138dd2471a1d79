#include "tests/fileops/office_containers.h"

#include <QtEndian>
#include <zlib.h>

namespace tv::test {

namespace {

template <typename T> T Read(const QByteArray &bytes, qsizetype offset)
{
  if (offset < 0 || offset + qsizetype(sizeof(T)) > bytes.size())
    return 0;
  return qFromLittleEndian<T>(bytes.constData() + offset);
}

constexpr quint32 kEndOfChain = 0xFFFFFFFA; // this and above: no further sector

// The sector allocation table, from the sectors the header lists.
QList<quint32> AllocationTable(const QByteArray &file, qsizetype sectorSize)
{
  QList<quint32> table;
  const quint32 tableSectors = Read<quint32>(file, 0x2C);
  for (quint32 i = 0; i < tableSectors && i < 109; ++i) {
    const qsizetype start = (qsizetype(Read<quint32>(file, 0x4C + 4 * i)) + 1) * sectorSize;
    for (qsizetype at = start; at < start + sectorSize; at += 4)
      table.append(Read<quint32>(file, at));
  }
  return table;
}

QByteArray Inflated(const QByteArray &compressed, qsizetype size)
{
  QByteArray out(size, '\0');
  if (size == 0)
    return out;
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
    return {};
  stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
  stream.avail_in = uInt(compressed.size());
  stream.next_out = reinterpret_cast<Bytef *>(out.data());
  stream.avail_out = uInt(out.size());
  const int result = inflate(&stream, Z_FINISH);
  inflateEnd(&stream);
  return result == Z_STREAM_END ? out : QByteArray();
}

} // namespace

QStringList CompoundFileEntryNames(const QByteArray &file)
{
  if (!file.startsWith(QByteArray::fromHex("D0CF11E0A1B11AE1")) || Read<quint32>(file, 0x2C) > 109)
    return {};
  const qsizetype sectorSize = qsizetype(1) << Read<quint16>(file, 0x1E);
  const QList<quint32> table = AllocationTable(file, sectorSize);
  QStringList names;
  quint32 sector = Read<quint32>(file, 0x30);
  for (qsizetype hops = 0; sector < kEndOfChain && sector < quint32(table.size()) && hops < table.size(); ++hops) {
    for (qsizetype entry = (sector + 1) * sectorSize; entry < (sector + 2) * sectorSize; entry += 128) {
      const quint16 nameBytes = Read<quint16>(file, entry + 0x40);
      if (Read<quint8>(file, entry + 0x42) != 0 && nameBytes >= 2 && nameBytes <= 64)
        names.append(
            QString::fromUtf16(reinterpret_cast<const char16_t *>(file.constData() + entry), nameBytes / 2 - 1));
    }
    sector = table.at(sector);
  }
  return names;
}

QMap<QString, QByteArray> ZipPackageParts(const QByteArray &file)
{
  const qsizetype end = file.lastIndexOf(QByteArray("PK\x05\x06", 4));
  if (end < 0)
    return {};
  QMap<QString, QByteArray> parts;
  qsizetype entry = Read<quint32>(file, end + 16);
  for (quint16 i = 0; i < Read<quint16>(file, end + 10); ++i) {
    if (Read<quint32>(file, entry) != 0x02014b50)
      return {};
    const quint16 method = Read<quint16>(file, entry + 10);
    const qsizetype compressedSize = Read<quint32>(file, entry + 20);
    const qsizetype size = Read<quint32>(file, entry + 24);
    const quint16 nameLength = Read<quint16>(file, entry + 28);
    const qsizetype local = Read<quint32>(file, entry + 42);
    const qsizetype data = local + 30 + Read<quint16>(file, local + 26) + Read<quint16>(file, local + 28);
    const QByteArray stored = file.mid(data, compressedSize);
    parts.insert(QString::fromUtf8(file.mid(entry + 46, nameLength)), method == 0 ? stored : Inflated(stored, size));
    entry += 46 + nameLength + Read<quint16>(file, entry + 30) + Read<quint16>(file, entry + 32);
  }
  return parts;
}

} // namespace tv::test
