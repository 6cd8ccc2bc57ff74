// The results this process put in place last: a later result for the same path takes the file one of them left
// there for the file it may replace, so that the later of two results of one name wins.
#pragma once

#include "platform/FileIdentity.h"

#include <QByteArray>

namespace quillora {

// Remembers that this process put the file identity at target.
void rememberPlaced(const QByteArray& target, const FileIdentity& identity);
// True when the file identity at target is the one this process put there last.
bool wasPlacedHere(const QByteArray& target, const FileIdentity& identity);

} // namespace quillora
