#pragma once

#include <QByteArrayView>

// What each fuzz target does with one input, kept apart from libFuzzer's
// entry point so that the regression tests replay saved inputs through the
// very same code. Each function may only fail by the errors its reader
// documents (a Failure, or problems in the reader's report); those are
// caught here. Anything else (a crash, a sanitizer report, an exception of
// another type) is a fault the fuzzer is meant to find.
namespace FuzzInputs {

// A stored picture value: header rule, then bitmap decoding.
void decodePicture(QByteArrayView stored);

// A whole question bank file: every statement the program issues, every row,
// every field read every way the program reads it.
void readBankFile(QByteArrayView fileBytes);

// A bank tool source in JSON.
void readJsonSource(QByteArrayView fileBytes);

// A bank tool source in CSV. A form feed splits the input: what comes
// before it is the questions file, what follows it the categories file.
void readCsvSource(QByteArrayView fileBytes);

// A bank tool source in an Excel workbook (.xlsx): the zip container, its
// parts, shared strings and the worksheet, then the sheet layout.
void readXlsxSource(QByteArrayView fileBytes);

} // namespace FuzzInputs
