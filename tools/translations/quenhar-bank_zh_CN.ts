<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BankBuild</name>
    <message>
        <source>question %1: the picture %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%L1 bytes (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the source must be a .json file, a sheet saved as .xlsx, .csv or .txt, or an Access .mdb file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--categories and --materials go with a sheet (.xlsx, .csv or .txt) only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists; give --force to replace it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: no bank was written; correct the errors above and build again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>removed %1, left by an earlier run that was stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot write in this folder: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2; no bank was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be put in place: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 categories, %3 questions (%4 with pictures), %5 materials; %6</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BankExporter</name>
    <message>
        <source>is not an integer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a picture (a byte value)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 row %2: %3 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>column %1 of table %2 is not exported</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subjects: question number %1 is used more than once</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a sheet cannot carry these values; export the bank as JSON (--format json), which carries every stored value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists; give --force to replace it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 categories, %3 questions (%4 with pictures), %5 materials</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 (run &quot;check&quot; for the full picture)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BankWriter</name>
    <message>
        <source>%1: a value is larger than %2, the most the tool writes into a bank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>category %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>question %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>material &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentRules</name>
    <message>
        <source>first on row %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first on line %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>category %1 is listed again (%2): it shows twice; delete one of them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>question number %1 is used again (%2); give each question a number of its own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>question %1: category %2 is not listed, so the question is never offered for practice; add the category or correct the number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>question %1: category %2 is a chapter heading (its 2nd and 3rd digits are 00), so the question is never offered for practice; put it in a category under that heading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>material has no &quot;id&quot; while others have one: give all or none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>material id %1 is used again (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CsvRecords</name>
    <message>
        <source>row %1: a quote (&quot;) in the middle of a cell, or text after a closing quote; put a cell that holds quotes in quotes as a whole and double each quote inside it (&quot;&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1: a cell is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1: a cell opens a quote (&quot;) that is never closed; close it, or double a quote that is part of the text (&quot;&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JsonBankReader</name>
    <message>
        <source>unknown member &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;type&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;type&quot; must be one of %1, or a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;answer&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;answer&quot; must be one of %1 for this question type, or a whole number (0 = A, 1 = B, 2 = C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;mustAnswer&quot; is missing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;mustAnswer&quot; must be true, false or a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;picture&quot; is empty; leave it out for a question without one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;basis&quot; must be a string</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the answers given as numbers never use 0 but use 3: they are counted from 1 (1 = A, 2 = B, 3 = C), while the format counts from 0 (0 = A, 1 = B, 2 = C). Subtract 1 from every numeric answer, or write the answers as letters (&quot;A&quot;, &quot;B&quot;, &quot;C&quot;) and 对/错</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be an array</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>each entry of &quot;%1&quot; must be an object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not valid JSON: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file must hold one JSON object</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;format&quot; must be &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;version&quot; must be %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputFiles</name>
    <message>
        <source>the disk is full (or your quota is used up); free some space and try again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is too large for this disk or this user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it already exists; give --force to replace it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot write in this folder: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutputFolder</name>
    <message>
        <source>%1: cannot make the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is a symbolic link; the export writes into real folders only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 exists and is not a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: cannot make the folder: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PictureConverter</name>
    <message>
        <source>is not a valid SVG picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>has no size (give the SVG picture a width and height, or a viewBox)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is too large (%1 x %2 pixels); make it smaller</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be read as a PNG, JPEG, BMP or SVG picture (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReadOnlyBank</name>
    <message>
        <source>&apos;%1&apos; %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an SQLite database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; is in WAL mode and its log %2 has no index %3: reading the log would change the bank&apos;s files. Open the bank once with the program (which merges the log into the bank) and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (while reading &quot;%2&quot;)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading took longer than %1 s, the limit; the bank may be damaged, or a view in it never ends</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>reading needed more than %1 of memory, the limit; the bank may be damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a value is larger than %1, the limit for one row; the bank may be damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a row holds more than %1, the limit for one row; the bank may be damaged</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is not a regular file (a device, a pipe or a socket); only files are read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>is larger than %1, the limit for this kind of file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SheetBankReader</name>
    <message>
        <source>%1: read as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the sheet is empty; its first row must name the columns (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the header row has no column %1; name the columns %2 in the first row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the cell is empty; write a whole number, such as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a whole number; write a whole number, such as %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds &quot;%2&quot;, but the program shows three answer buttons (A, B, C); keep three options in 选项A to 选项C and leave %1 empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a true/false question has no options, but %1 holds &quot;%2&quot;; leave the options empty (or write the question type 单选 if it has options)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the options are in columns, but there is no column %1; add it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is empty, but other options are given; a single-choice question has three options, A, B and C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a question type; write one of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an answer to a single-choice question; write one of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an answer to a true/false question; write one of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the question is empty; write the question in this column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not say whether the question must be answered right; write one of %2, or leave it empty for 否</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the category has no title; write the title shown for it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SheetBankWriter</name>
    <message>
        <source>%1 holds a carriage return, which a sheet reads as a line break</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is longer than the %L2 characters an Excel cell holds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>category %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no title, which a sheet requires</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>question %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the type code %2 has no word in a sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the answer code %2 has no word in a sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: the must-answer value %2 has no word in a sheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no text, which a sheet requires</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>material &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot make a scratch folder: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot start the workbook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook cannot be written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook cannot be read back: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SheetFiles</name>
    <message>
        <source>tab-separated text, %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV, %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SourceProblem</name>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1:%2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: row %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: row %2, column %3 (%4): %5</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextEncoding</name>
    <message>
        <source>this is an Excel workbook, not text; name it .xlsx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>this is an old Excel 97-2003 file (.xls); open it in Excel or WPS and save it as &quot;Excel 工作簿 (*.xlsx)&quot; or &quot;CSV UTF-8 (逗号分隔)&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file says it is %1 text but is not; save it again as &quot;CSV UTF-8&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is not text in UTF-8, GB18030 (GBK) or UTF-16; save it as &quot;CSV UTF-8&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>XlsxSheet</name>
    <message>
        <source>not an Excel workbook (.xlsx): the file is not a zip archive; if it is an old .xls file, save it as &quot;Excel 工作簿 (*.xlsx)&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook has no part %1; it is damaged or not made by a spreadsheet program; open it in Excel or WPS and save it again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the part %1 of the workbook unpacks to more than %2, the limit; the file is damaged or made to fill the memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the part %1 of the workbook is damaged; open the file in Excel or WPS and save it again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the part %1 of the workbook declares a document type, which no spreadsheet program writes; the file is refused</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the part %1 of the workbook is damaged (line %2: %3); open the file in Excel or WPS and save it again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook has no worksheet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook has no worksheet named %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the workbook does not say where its first worksheet is; it is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the worksheet&apos;s rows are out of order or numbered beyond Excel&apos;s last row (row %1); the file is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1: the cell reference &quot;%2&quot; is not valid; the file is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the worksheet has more than %L1 cells, more than the tool reads; split it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1: cell %2 refers to a shared string the workbook does not have; the file is damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel workbook, worksheet &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>quenhar_bank</name>
    <message>
        <source>Commands:
  build SOURCE OUT.db   make a new bank from a .json source, a sheet (.xlsx, .csv, .txt) or a Jet .mdb file
  import OLD.mdb OUT.db convert a Jet 4 (Access) bank into a new bank and check it
  export DB OUTDIR      write a bank as JSON, CSV or an Excel workbook, with its pictures
  check DB              tell what the program will do with a bank
  stats DB              count a bank&apos;s questions

&quot;quenhar-bank COMMAND --help&quot; tells more about a command.
Exit codes: 0 ok, 1 the bank or source has faults, 2 usage error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: quenhar-bank %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;quenhar-bank %1 --help&quot; tells more.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace OUT.db if it exists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Converts a Jet 4 (Access 2000-2003) bank into a new bank, then checks it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category titles for a sheet source: a sheet with the columns 章节 and 名称.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reference materials for a sheet source: a sheet with the columns 编号, 标题 and 内容.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Makes a new bank OUT.db from SOURCE: a .json file, a sheet (an Excel workbook .xlsx, or a CSV or text file .csv, .txt) or an Access .mdb file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--categories and --materials go with a sheet (.xlsx, .csv or .txt) only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>error: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace files in OUTDIR that exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>json (the default), csv (UTF-8 with a byte order mark, for Excel) or xlsx (an Excel workbook).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writes the bank DB into OUTDIR as bank.json, bank.csv (with categories.csv) or bank.xlsx, and each picture as pictures/&lt;question number&gt;.bmp. Building the export again gives the same tables.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--format must be json, csv or xlsx</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reads the bank DB the way the program does, without changing it, and tells what the program will do with it. Exit 0 when the program can use it, 1 when it fails on it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counts the bank&apos;s questions by category, type, must-answer flag and picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>usage: quenhar-bank COMMAND ...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
