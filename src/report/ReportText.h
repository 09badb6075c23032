#pragma once
#include <QString>

// Cutting texts for print without separating what a reader sees as one letter: a Thai vowel
// or tone mark stays with its consonant. Lengths count characters as stored (UTF-16 code
// units), so a cut never exceeds the length asked for; a cut that would fall inside a cluster
// falls before it instead.

// The first `length` characters of s, shortened to the last whole cluster.
QString leftClusters(const QString& s, int length);
// The last `length` characters of s, shortened to the first whole cluster.
QString rightClusters(const QString& s, int length);
