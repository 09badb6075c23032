#pragma once
#include <QByteArray>
#include <QFont>
#include <QList>

// The text layer of PDF files written by Qt's PDF writer, completed for Thai.
//
// The writer gives each glyph its character through the font's character map. Shaping Thai
// replaces some vowels and tone marks by variants placed to sit with their consonant (lowered,
// moved left under a tall consonant); those variants are in no character map, so copying or
// searching the PDF loses them ("เครืองเขียน"). Marks stacked above an upper vowel are drawn on
// a raised baseline, which text extraction takes for another line.
//
// completeThaiText() rewrites such a file: it learns, by shaping every Thai consonant with every
// vowel and tone mark in the fonts the report used, which variant stands for which character;
// finds those variants among the embedded glyphs (by their outlines) and adds them to the
// fonts' ToUnicode maps; and marks every consonant-with-marks cluster in the page contents with
// its text as written (an ActualText span, which viewers and text extraction read instead of
// the glyphs). SARA AM, drawn as NIKHAHIT and SARA AA, is given back as SARA AM. Anything it
// does not recognise is left as the writer made it, so the file is never worse.
namespace ReportPdfText {

// `fonts`: the fonts of the report's texts (only family, weight and style matter).
QByteArray completeThaiText(const QByteArray& pdf, const QList<QFont>& fonts);

}  // namespace ReportPdfText
