// Sort keys of names, made into one block for a whole listing.
#pragma once

#include <QByteArrayView>
#include <QCollator>
#include <string>

struct UCollator;

namespace tv {

// Makes the sort keys of names for one collator: the bytes of QCollator::sortKey's key of
// the name as shown, so that names order by comparing their keys' bytes. One maker serves
// a whole listing and puts every key into one block: no name costs an allocation of its own.
class NameKeyMaker {
public:
  explicit NameKeyMaker(const QCollator &collator);
  ~NameKeyMaker();
  NameKeyMaker(const NameKeyMaker &) = delete;
  NameKeyMaker &operator=(const NameKeyMaker &) = delete;

  // Appends the key of a name, given as the raw bytes the kernel returned, to keys.
  void Append(QByteArrayView name, std::string &keys);

private:
  bool bytesKeys_;       // the C locale: the key is the name's UTF-8 bytes
  bool foldCase_;        // ... folded first, as Qt's C-locale keys ignore the case setting
  UCollator *collator_;  // every other locale: ICU's key; none when ICU knows no collator for it
  std::u16string units_; // the text of an ASCII name, kept to spare an allocation per name
};

} // namespace tv
