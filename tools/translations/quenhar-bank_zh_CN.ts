<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BankToRead</name>
    <message>
        <source>&apos;%1&apos; has a journal left by a program that stopped while writing it, and no private copy could be made to read it without changing it: %2</source>
        <translation>“%1”有一个程序在写入时中断而留下的日志，且无法建立私有副本以便在不改动它的情况下读取：%2</translation>
    </message>
    <message>
        <source>the copy failed</source>
        <translation>复制失败</translation>
    </message>
    <message>
        <source>&apos;%1&apos; has a journal left by a program that stopped while writing it, and rolling it back fails: %2</source>
        <translation>“%1”有一个程序在写入时中断而留下的日志，回滚该日志失败：%2</translation>
    </message>
    <message>
        <source>%1 has a journal left by a program that stopped while writing it (%1-journal): the program rolls it back on its next start, and this report is of the bank as it will then be (read from a private copy; the bank and its journal are unchanged)</source>
        <translation>%1 有一个程序在写入时中断而留下的日志（%1-journal）：程序下次启动时会回滚它，本报告说的是回滚后的题库（从私有副本读取；题库及其日志均未改动）</translation>
    </message>
</context>
<context>
    <name>BuildCommand</name>
    <message>
        <source>question %1: the picture %2 %3</source>
        <translation>第 %1 题：图片 %2 %3</translation>
    </message>
    <message>
        <source>%L1 bytes (%2)</source>
        <translation>%L1 字节（%2）</translation>
    </message>
    <message>
        <source>%1: no bank was written; correct the errors above and build again</source>
        <translation>%1：未生成题库；请改正上面的错误后重新生成</translation>
    </message>
    <message>
        <source>%1: %2; no bank was written</source>
        <translation>%1：%2；未生成题库</translation>
    </message>
    <message>
        <source>%1: %2 categories, %3 questions (%4 with pictures), %5 materials; %6</source>
        <translation>%1：%2 个章节，%3 道题（其中 %4 道有图片），%5 篇资料；%6</translation>
    </message>
    <message>
        <source>question %1: the picture %2 is outside the source&apos;s folder %3 (or reached through a link that leads out of it); put it in that folder, or give --pictures-from-anywhere if you trust the source</source>
        <translation>第 %1 题：图片 %2 在源文件所在的文件夹 %3 之外（或经由指向其外的链接到达）；请把它放进该文件夹，或在信任该源文件时加 --pictures-from-anywhere</translation>
    </message>
    <message>
        <source>question %1: the picture %2 is the output %3 itself</source>
        <translation>第 %1 题：图片 %2 就是输出文件 %3 本身</translation>
    </message>
    <message>
        <source>%1: the bank would take at least %2, and the disk has %3 free; no bank was written</source>
        <translation>%1：题库至少需要 %2，而磁盘只剩 %3；未生成题库</translation>
    </message>
    <message>
        <source>left out</source>
        <translation>未收入</translation>
    </message>
    <message>
        <source>row</source>
        <translation>行号</translation>
    </message>
    <message>
        <source>reason</source>
        <translation>原因</translation>
    </message>
    <message>
        <source>%L1 left out: %2</source>
        <translation>未收入 %L1 道：%2</translation>
    </message>
    <message>
        <source>%1.left-out.xlsx</source>
        <translation>%1.未收入的题.xlsx</translation>
    </message>
    <message>
        <source>--categories and --materials go with a sheet (.xlsx, .xls, .ods, .csv or .txt) only</source>
        <translation>--categories 和 --materials 只能与表格（.xlsx、.xls、.ods、.csv 或 .txt）一起使用</translation>
    </message>
    <message>
        <source>%1 already exists (the rows left out of an earlier build); give --force to replace it</source>
        <translation>%1 已存在（上次生成时未收入的行）；如要替换，请加 --force</translation>
    </message>
    <message numerus="yes">
        <source>%1: no bank was written. %n row(s) hold questions the program cannot show: correct the other errors above, then give --%2 to build the other questions; those rows are then written to %3 for you to fix</source>
        <translation>
            <numerusform>%1：未生成题库。有 %n 行是程序无法显示的题：请先改正上面其他的错误，再加 --%2 生成其余的题；这些行会写入 %3，供您修改</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1: no bank was written. %n row(s) hold questions the program cannot show: give --%2 to build the other questions; those rows are then written to %3 for you to fix</source>
        <translation>
            <numerusform>%1：未生成题库。有 %n 行是程序无法显示的题：加 --%2 即可生成其余的题；这些行会写入 %3，供您修改</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 was built, but the rows left out cannot be written: %2</source>
        <translation>%1 已生成，但未收入的行无法写出：%2</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) the program cannot show were left out and written to %1 with their row numbers and reasons</source>
        <translation>
            <numerusform>程序无法显示的 %n 行未收入，已连同行号和原因写入 %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BuildReport</name>
    <message>
        <source>%1, column %2 (%3)</source>
        <translation>%1，%2 列（%3）</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%L1 rows: %2</source>
        <translation>共 %L1 行：%2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>，</translation>
    </message>
    <message>
        <source>error: %1</source>
        <translation>错误：%1</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>警告：%1</translation>
    </message>
    <message>
        <source>… %L1 more problems of %2 other kinds are not shown; correct the ones above first</source>
        <translation>…… 另有 %2 类共 %L1 个问题未列出；请先改正上面的问题</translation>
    </message>
    <message>
        <source>… and %L1 more problems like those above, counted but not listed</source>
        <translation>…… 另有 %L1 个类似上面的问题，只计数，未列出</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1，%2</translation>
    </message>
    <message numerus="yes">
        <source>%Ln error(s)</source>
        <translation>
            <numerusform>%Ln 个错误</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln warning(s)</source>
        <translation>
            <numerusform>%Ln 个警告</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 in %2, %3</source>
        <translation>%2中有 %1，%3</translation>
    </message>
    <message numerus="yes">
        <source>%Ln row(s)</source>
        <translation>
            <numerusform>%Ln 行</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>table %1 is missing</source>
        <translation>缺少表 %1</translation>
    </message>
    <message>
        <source>table %1 has no column %2</source>
        <translation>表 %1 没有列 %2</translation>
    </message>
    <message>
        <source>%1 %2: %3 is %4, which the program cannot read as a number</source>
        <translation>%1 %2：%3 的值为 %4，程序无法把它读成数字</translation>
    </message>
    <message>
        <source>%1 %2: %3 is %4 (%5), read as %6</source>
        <translation>%1 %2：%3 的值为 %4（%5），将读作 %6</translation>
    </message>
    <message>
        <source>%1 %2: %3 is %4 (%5), not text; shown as its text</source>
        <translation>%1 %2：%3 的值为 %4（%5），不是文本；将按其文本显示</translation>
    </message>
    <message>
        <source>category %1</source>
        <translation>章节 %1</translation>
    </message>
    <message>
        <source>category number %1 is not an integer: the program stops the category list there, so %2 of the %3 categories are not shown</source>
        <translation>章节编号 %1 不是整数：程序的章节列表到此为止，%3 个章节中有 %2 个不会显示</translation>
    </message>
    <message>
        <source>categories: %1 offered for practice, %2 chapter heading(s)</source>
        <translation>章节：%1 个可供练习，%2 个章标题</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>检查中</translation>
    </message>
    <message>
        <source>question %1</source>
        <translation>第 %1 题</translation>
    </message>
    <message>
        <source>#%1</source>
        <translation>#%1</translation>
    </message>
    <message>
        <source>%1: answer code %2 is not A, B or C (0 to 2): no answer button is right</source>
        <translation>%1：答案代码 %2 不是 A、B 或 C（0 到 2）：没有哪个答案按钮是对的</translation>
    </message>
    <message>
        <source>%1: a true/false question whose answer is C (2): no button is right</source>
        <translation>%1：判断题的答案是 C（2）：没有哪个按钮是对的</translation>
    </message>
    <message>
        <source>%1: category %2 is %3, so the question is never offered for practice</source>
        <translation>%1：章节 %2 %3，所以这道题永远不会出现在练习中</translation>
    </message>
    <message>
        <source>a chapter heading</source>
        <translation>是章标题</translation>
    </message>
    <message>
        <source>not in the category list</source>
        <translation>不在章节列表中</translation>
    </message>
    <message>
        <source>%1: the picture (%2 bytes) will not show: %3</source>
        <translation>%1：图片（%2 字节）无法显示：%3</translation>
    </message>
    <message>
        <source>question number %1 is used by %2 questions: looked up by number, only one of them is ever shown</source>
        <translation>题号 %1 被 %2 道题使用：按题号查找时，只会显示其中一道</translation>
    </message>
    <message>
        <source>questions: %1, of which %2 with a picture</source>
        <translation>题目：%1 道，其中 %2 道有图片</translation>
    </message>
    <message>
        <source>%1 question(s) are neither must-answer (passOnly 1) nor ordinary (passOnly 0): they never appear in a mock exam</source>
        <translation>%1 道题既不是必对题（passOnly 1）也不是普通题（passOnly 0）：它们永远不会出现在模拟考试中</translation>
    </message>
    <message>
        <source>no mock exam can run: it needs more than %1 ordinary questions (passOnly 0) and the bank has %2. Practice works; add ordinary questions to have a mock exam</source>
        <translation>无法进行模拟考试：需要多于 %1 道普通题（passOnly 0），而题库只有 %2 道。练习不受影响；增加普通题即可进行模拟考试</translation>
    </message>
    <message>
        <source>mock exam: %1 questions; first %2 drawn at random from the %3 must-answer questions, then %4 drawn at random from the %5 ordinary questions</source>
        <translation>模拟考试：共 %1 题；先从 %3 道必对题中随机抽取 %2 道，再从 %5 道普通题中随机抽取 %4 道</translation>
    </message>
    <message>
        <source>mock exam: %1 questions drawn at random from the %2 ordinary questions</source>
        <translation>模拟考试：从 %2 道普通题中随机抽取 %1 道</translation>
    </message>
    <message>
        <source>; the %1 must-answer questions are left out (drawing %2 of them needs more than %3)</source>
        <translation>；%1 道必对题不参加抽取（要抽取其中 %2 道，必对题须多于 %3 道）</translation>
    </message>
    <message>
        <source>material #%1</source>
        <translation>第 %1 篇资料</translation>
    </message>
    <message>
        <source>reference materials: %1</source>
        <translation>资料：%1 篇</translation>
    </message>
    <message>
        <source>the file is damaged (SQLite&apos;s integrity check: %1)</source>
        <translation>文件已损坏（SQLite 完整性检查：%1）</translation>
    </message>
    <message>
        <source>%1: a single-choice question without option lines (A、… B、… C、…) in its text: the learner sees three answer buttons and nothing to choose between</source>
        <translation>%1：单选题的题干中没有选项行（A、… B、… C、…）：学员只看到三个答案按钮，却没有可选的内容</translation>
    </message>
</context>
<context>
    <name>CheckReport</name>
    <message>
        <source>  - ... and %1 more like &quot;%2&quot;</source>
        <translation>  - ……另有 %1 条类似“%2”</translation>
    </message>
    <message>
        <source>Bank: %1</source>
        <translation>题库：%1</translation>
    </message>
    <message>
        <source>*** This bank has no mock exam: see the warning below. ***</source>
        <translation>*** 这个题库无法进行模拟考试：请看下面的警告。***</translation>
    </message>
    <message>
        <source>Faults (the program fails on these):</source>
        <translation>故障（程序会因此出错）：</translation>
    </message>
    <message>
        <source>Warnings (the program runs, but not as meant):</source>
        <translation>警告（程序能运行，但与本意不符）：</translation>
    </message>
    <message>
        <source>What the program will do:</source>
        <translation>程序将会：</translation>
    </message>
    <message>
        <source>Result: the program will fail on this bank.</source>
        <translation>结论：程序使用这个题库时会出错。</translation>
    </message>
    <message>
        <source>Result: the program can use this bank for practice, but it has no mock exam.</source>
        <translation>结论：程序可以用这个题库练习，但无法进行模拟考试。</translation>
    </message>
    <message>
        <source>Result: the program can use this bank.</source>
        <translation>结论：程序可以使用这个题库。</translation>
    </message>
</context>
<context>
    <name>CommandResult</name>
    <message>
        <source>note: %1</source>
        <translation>提示：%1</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>警告：%1</translation>
    </message>
    <message>
        <source>error: %1</source>
        <translation>错误：%1</translation>
    </message>
</context>
<context>
    <name>ContentRules</name>
    <message>
        <source>first on row %1</source>
        <translation>首次出现在第 %1 行</translation>
    </message>
    <message>
        <source>first on line %1</source>
        <translation>首次出现在第 %1 行</translation>
    </message>
    <message>
        <source>category %1 is listed again (%2): it shows twice; delete one of them</source>
        <translation>章节 %1 重复列出（%2）：它会显示两次；请删去其中一个</translation>
    </message>
    <message>
        <source>question number %1 is used again (%2); give each question a number of its own</source>
        <translation>题号 %1 重复（%2）；每道题要有自己的题号</translation>
    </message>
    <message>
        <source>question %1: category %2 is not listed, so the question is never offered for practice; add the category or correct the number</source>
        <translation>第 %1 题：章节 %2 不在章节列表中，所以这道题永远不会出现在练习中；请添加该章节或改正章节号</translation>
    </message>
    <message>
        <source>question %1: category %2 is a chapter heading (its 2nd and 3rd digits are 00), so the question is never offered for practice; put it in a category under that heading</source>
        <translation>第 %1 题：章节 %2 是章标题（第 2、3 位数字是 00），所以这道题永远不会出现在练习中；请把它放到该章下面的某一节</translation>
    </message>
    <message>
        <source>material has no &quot;id&quot; while others have one: give all or none</source>
        <translation>这篇资料没有 &quot;id&quot;，而其他资料有：要么都写，要么都不写</translation>
    </message>
    <message>
        <source>material id %1 is used again (%2)</source>
        <translation>资料编号 %1 重复（%2）</translation>
    </message>
    <message>
        <source>%1 holds a lone UTF-16 surrogate (U+%2) at character %L3, which is not a character; correct the text</source>
        <translation>%1 在第 %L3 个字符处含有一个孤立的 UTF-16 代理项（U+%2），它不是字符；请改正文本</translation>
    </message>
    <message>
        <source>category %1</source>
        <translation>章节 %1</translation>
    </message>
    <message>
        <source>question %1</source>
        <translation>第 %1 题</translation>
    </message>
    <message>
        <source>the material&apos;s title</source>
        <translation>资料的标题</translation>
    </message>
    <message>
        <source>the material&apos;s text</source>
        <translation>资料的内容</translation>
    </message>
</context>
<context>
    <name>CsvRecords</name>
    <message>
        <source>row %1: a quote (&quot;) in the middle of a cell, or text after a closing quote; put a cell that holds quotes in quotes as a whole and double each quote inside it (&quot;&quot;)</source>
        <translation>第 %1 行：单元格中间有引号（&quot;），或右引号后面还有文字；含引号的单元格要整个用引号括起来，里面的每个引号写两次（&quot;&quot;）</translation>
    </message>
    <message>
        <source>row %1: a cell is too large</source>
        <translation>第 %1 行：单元格内容太大</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>row %1: a cell opens a quote (&quot;) that is never closed; close it, or double a quote that is part of the text (&quot;&quot;)</source>
        <translation>第 %1 行：单元格里的引号（&quot;）没有闭合；请补上右引号，或把属于文字的引号写两次（&quot;&quot;）</translation>
    </message>
    <message>
        <source>row %1: a cell holds %L2 characters, more than the %L3 a cell may hold</source>
        <translation>第 %1 行：有一个单元格含 %L2 个字符，超过了一个单元格可容纳的 %L3 个</translation>
    </message>
    <message>
        <source>the sheet has more than %L1 cells, the limit</source>
        <translation>表格的单元格多于上限 %L1 个</translation>
    </message>
    <message>
        <source>the sheet&apos;s cells hold more than %L1 characters in all, the limit</source>
        <translation>表格各单元格的字符总数超过了上限 %L1 个</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>Subjects: question number %1 is used more than once</source>
        <translation>Subjects：题号 %1 被使用了不止一次</translation>
    </message>
    <message>
        <source>a sheet cannot carry these values; export the bank as JSON (--format json), which carries every stored value</source>
        <translation>表格无法容纳这些值；请把题库导出为 JSON（--format json），它能保存所有存储的值</translation>
    </message>
    <message>
        <source>%1 already exists; give --force to replace it</source>
        <translation>%1 已存在；如要替换，请加 --force</translation>
    </message>
    <message>
        <source>%1: %2 categories, %3 questions (%4 with pictures), %5 materials</source>
        <translation>%1：%2 个章节，%3 道题（其中 %4 道有图片），%5 篇资料</translation>
    </message>
    <message>
        <source>%1: %2 (run &quot;check&quot; for the full picture)</source>
        <translation>%1：%2（运行 &quot;check&quot; 查看完整情况）</translation>
    </message>
    <message>
        <source>Pictures</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>%1 is the bank %2 being exported; export into another folder</source>
        <translation>%1 就是正在导出的题库 %2；请导出到另一个文件夹</translation>
    </message>
    <message>
        <source>removed %1, left by an earlier export that was stopped</source>
        <translation>已删除 %1，它是此前一次被中断的导出留下的</translation>
    </message>
    <message>
        <source>%1: nothing was changed</source>
        <translation>%1：没有作任何改动</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>Imported %1 into %2:
</source>
        <translation>已把 %1 导入 %2：
</translation>
    </message>
    <message>
        <source>  %1: %2 rows
</source>
        <translation>  %1：%2 行
</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>说明：</translation>
    </message>
    <message>
        <source>Left out:</source>
        <translation>未导入：</translation>
    </message>
    <message>
        <source>%1: cannot be read</source>
        <translation>%1：无法读取</translation>
    </message>
    <message>
        <source>%1: not a Jet database (an Access .mdb file)</source>
        <translation>%1：不是 Jet 数据库（Access 的 .mdb 文件）</translation>
    </message>
    <message>
        <source>%1: %2; no bank was written</source>
        <translation>%1：%2；未生成题库</translation>
    </message>
    <message>
        <source>%1 was written, but the program fails on it as the check above says</source>
        <translation>%1 已写入，但如上面的检查所示，程序使用它时会出错</translation>
    </message>
    <message>
        <source>%1: this build of quenhar-bank cannot read Jet (Access .mdb) banks. Convert the file with &quot;quenhar-bank import&quot; on a computer whose build can (the Linux build does) and use the bank it writes; or export that bank there to a workbook (&quot;quenhar-bank export --format xlsx&quot;) and build a bank from it here.</source>
        <translation>%1：这个版本的 quenhar-bank 不能读取 Jet（Access .mdb）题库。请在能读取它的电脑上（Linux 版可以）用 &quot;quenhar-bank import&quot; 转换这个文件，再使用它写出的题库；或者在那里把那个题库导出为工作簿（&quot;quenhar-bank export --format xlsx&quot;），再在这里用它生成题库。</translation>
    </message>
</context>
<context>
    <name>JsonBankReader</name>
    <message>
        <source>unknown member &quot;%1&quot;</source>
        <translation>未知成员 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is missing</source>
        <translation>缺少 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number</source>
        <translation>&quot;%1&quot; 必须是整数</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a string</source>
        <translation>&quot;%1&quot; 必须是字符串</translation>
    </message>
    <message>
        <source>&quot;type&quot; is missing</source>
        <translation>缺少 &quot;type&quot;</translation>
    </message>
    <message>
        <source>&quot;type&quot; must be one of %1, or a whole number</source>
        <translation>&quot;type&quot; 必须是 %1 之一，或一个整数</translation>
    </message>
    <message>
        <source>&quot;answer&quot; is missing</source>
        <translation>缺少 &quot;answer&quot;</translation>
    </message>
    <message>
        <source>&quot;answer&quot; must be one of %1 for this question type, or a whole number (0 = A, 1 = B, 2 = C)</source>
        <translation>对这种题型，&quot;answer&quot; 必须是 %1 之一，或一个整数（0 = A，1 = B，2 = C）</translation>
    </message>
    <message>
        <source>&quot;mustAnswer&quot; is missing</source>
        <translation>缺少 &quot;mustAnswer&quot;</translation>
    </message>
    <message>
        <source>&quot;mustAnswer&quot; must be true, false or a whole number</source>
        <translation>&quot;mustAnswer&quot; 必须是 true、false 或一个整数</translation>
    </message>
    <message>
        <source>&quot;picture&quot; is empty; leave it out for a question without one</source>
        <translation>&quot;picture&quot; 为空；没有图片的题目请不要写这一项</translation>
    </message>
    <message>
        <source>&quot;basis&quot; must be a string</source>
        <translation>&quot;basis&quot; 必须是字符串</translation>
    </message>
    <message>
        <source>the answers given as numbers never use 0 but use 3: they are counted from 1 (1 = A, 2 = B, 3 = C), while the format counts from 0 (0 = A, 1 = B, 2 = C). Subtract 1 from every numeric answer, or write the answers as letters (&quot;A&quot;, &quot;B&quot;, &quot;C&quot;) and 对/错</source>
        <translation>用数字写的答案从不用 0 却用了 3：它们是从 1 开始数的（1 = A，2 = B，3 = C），而本格式从 0 开始数（0 = A，1 = B，2 = C）。请把每个数字答案减 1，或把答案写成字母（&quot;A&quot;、&quot;B&quot;、&quot;C&quot;）和 对/错</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be an array</source>
        <translation>&quot;%1&quot; 必须是数组</translation>
    </message>
    <message>
        <source>each entry of &quot;%1&quot; must be an object</source>
        <translation>&quot;%1&quot; 的每一项都必须是对象</translation>
    </message>
    <message>
        <source>not valid JSON: %1</source>
        <translation>不是有效的 JSON：%1</translation>
    </message>
    <message>
        <source>the file must hold one JSON object</source>
        <translation>文件必须包含一个 JSON 对象</translation>
    </message>
    <message>
        <source>&quot;format&quot; must be &quot;%1&quot;</source>
        <translation>&quot;format&quot; 必须是 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;version&quot; must be %1</source>
        <translation>&quot;version&quot; 必须是 %1</translation>
    </message>
</context>
<context>
    <name>LearnerWarnings</name>
    <message>
        <source>is %1×%2 pixels, larger than the picture area (%3×%4): the learner sees it cut off</source>
        <translation>是 %1×%2 像素，大于图片区（%3×%4）：学员看到的图片不完整</translation>
    </message>
    <message>
        <source>the question is longer than the practice text box (%1×%2 pixels) shows without scrolling</source>
        <translation>题目太长，练习文本框（%1×%2 像素）不滚动显示不全</translation>
    </message>
    <message>
        <source>no mock exam can run on this bank: it has %1 ordinary questions and needs more than %2; practice works</source>
        <translation>这个题库无法进行模拟考试：普通题只有 %1 道，需要多于 %2 道；练习不受影响</translation>
    </message>
    <message>
        <source>the mock exam draws no must-answer questions: the bank has %1 and needs more than %2</source>
        <translation>模拟考试不会抽必对题：题库中只有 %1 道，需要多于 %2 道</translation>
    </message>
    <message>
        <source>is stored as a bitmap of %1, %2 times its file (%3): probably a photo; a smaller picture (fewer pixels, or fewer colours) keeps the bank small</source>
        <translation>存为 %1 的位图，是原文件（%3）的 %2 倍：可能是照片；换一张小一些的图片（像素或颜色更少）可使题库变小</translation>
    </message>
</context>
<context>
    <name>NewBankFile</name>
    <message>
        <source>a program is using it now (reading or writing it); close that program and try again</source>
        <translation>有程序正在使用它（读取或写入）；请关闭该程序后再试</translation>
    </message>
    <message>
        <source>%1, left by a program that stopped while writing the bank it replaces, cannot be removed (%2); without that the new bank would be damaged on its first use</source>
        <translation>%1 是某个程序在写入被替换的题库时中断而留下的，无法删除（%2）；不删除它，新题库在第一次使用时就会损坏</translation>
    </message>
</context>
<context>
    <name>NewBankOutput</name>
    <message>
        <source>%1 already exists; give --force to replace it</source>
        <translation>%1 已存在；如要替换，请加 --force</translation>
    </message>
    <message>
        <source>removed %1, left by an earlier run that was stopped</source>
        <translation>已删除 %1，它是此前一次被中断的运行留下的</translation>
    </message>
    <message>
        <source>%1: cannot write in this folder: %2</source>
        <translation>%1：无法在此文件夹中写入：%2</translation>
    </message>
    <message>
        <source>%1 cannot be put in place: %2</source>
        <translation>无法把题库放到 %1：%2</translation>
    </message>
    <message>
        <source>%1 is the file %2 that the bank is built from; write the bank to another file</source>
        <translation>%1 就是生成题库所用的文件 %2；请把题库写到另一个文件</translation>
    </message>
    <message>
        <source>removed %1, left beside the bank it replaces by a program that stopped while writing it</source>
        <translation>已删除 %1，它是某个程序在写入被替换的题库时中断而留下的</translation>
    </message>
</context>
<context>
    <name>NewExport</name>
    <message>
        <source>%1: cannot make the folder</source>
        <translation>%1：无法建立文件夹</translation>
    </message>
    <message>
        <source>%1 is a symbolic link; the export writes into real folders only</source>
        <translation>%1 是符号链接；导出只写入真正的文件夹</translation>
    </message>
    <message>
        <source>%1 exists and is not a folder</source>
        <translation>%1 已存在，且不是文件夹</translation>
    </message>
    <message>
        <source>%1: cannot write in this folder: %2</source>
        <translation>%1：无法在此文件夹中写入：%2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1: cannot make the folder: %2</source>
        <translation>%1：无法建立文件夹：%2</translation>
    </message>
    <message>
        <source>%1: cannot write in this folder</source>
        <translation>%1：无法在此文件夹中写入</translation>
    </message>
    <message>
        <source>%1 already exists; give --force to replace it</source>
        <translation>%1 已存在；如要替换，请加 --force</translation>
    </message>
</context>
<context>
    <name>OdsSheet</name>
    <message>
        <source>OpenDocument spreadsheet, worksheet &quot;%1&quot;</source>
        <translation>OpenDocument 电子表格，工作表“%1”</translation>
    </message>
    <message>
        <source>the spreadsheet has no worksheet</source>
        <translation>这个电子表格中没有工作表</translation>
    </message>
    <message>
        <source>the spreadsheet has no worksheet named %1</source>
        <translation>这个电子表格中没有名为 %1 的工作表</translation>
    </message>
    <message>
        <source>the worksheet has more than %L1 cells, more than the tool reads; split it</source>
        <translation>工作表的单元格多于 %L1 个，超出本工具的读取上限；请拆分</translation>
    </message>
    <message>
        <source>not an OpenDocument spreadsheet (.ods): the file is not a zip archive, or is cut short</source>
        <translation>不是 OpenDocument 电子表格（.ods）：文件不是 zip 压缩包，或者不完整</translation>
    </message>
    <message>
        <source>the worksheet&apos;s cells hold more than %L1 characters in all (repeated cells counted each time), the limit</source>
        <translation>工作表单元格中的文字总共超过 %L1 个字符（重复的单元格每次都计数），超出上限</translation>
    </message>
    <message>
        <source>a cell holds %L1 characters, more than the %L2 a cell may hold</source>
        <translation>有一个单元格有 %L1 个字符，超过一个单元格最多 %L2 个字符的上限</translation>
    </message>
</context>
<context>
    <name>OutputFiles</name>
    <message>
        <source>the disk is full (or your quota is used up); free some space and try again</source>
        <translation>磁盘已满（或您的配额已用完）；请腾出空间后再试</translation>
    </message>
    <message>
        <source>the file is too large for this disk or this user</source>
        <translation>文件太大，超出了这块磁盘或这个用户的限制</translation>
    </message>
    <message>
        <source>it already exists; give --force to replace it</source>
        <translation>它已存在；如要替换，请加 --force</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
</context>
<context>
    <name>PictureConverter</name>
    <message>
        <source>is not a valid SVG picture</source>
        <translation>不是有效的 SVG 图片</translation>
    </message>
    <message>
        <source>has no size (give the SVG picture a width and height, or a viewBox)</source>
        <translation>没有尺寸（请给 SVG 图片设置宽和高，或 viewBox）</translation>
    </message>
    <message>
        <source>is too large (%1 x %2 pixels); make it smaller</source>
        <translation>太大（%1 x %2 像素）；请缩小</translation>
    </message>
    <message>
        <source>cannot be read as a PNG, JPEG, BMP or SVG picture (%1)</source>
        <translation>无法作为 PNG、JPEG、BMP 或 SVG 图片读取（%1）</translation>
    </message>
    <message>
        <source>is an SVG picture, which this build of the program cannot read; save it as PNG and name that file instead</source>
        <translation>是 SVG 图片，这个版本的程序不能读取；请把它另存为 PNG，并改用那个文件</translation>
    </message>
</context>
<context>
    <name>SheetBankReader</name>
    <message>
        <source>%1: read as %2</source>
        <translation>%1：按 %2 读取</translation>
    </message>
    <message>
        <source>the cell is empty; write a whole number, such as %1</source>
        <translation>单元格是空的；请填写一个整数，例如 %1</translation>
    </message>
    <message>
        <source>the question is empty; write the question in this column</source>
        <translation>题干是空的；请在这一列填写题目</translation>
    </message>
    <message>
        <source>the category has no title; write the title shown for it</source>
        <translation>章节没有名称；请填写要显示的名称</translation>
    </message>
    <message>
        <source>%1 (or %2)</source>
        <translation>%1（或 %2）</translation>
    </message>
    <message>
        <source>no header row names the columns %1; write them in the first row of the sheet</source>
        <translation>没有一行表头写明以下各列：%1；请把它们写在表格的第一行</translation>
    </message>
    <message>
        <source>; </source>
        <translation>；</translation>
    </message>
    <message>
        <source>%1: the header is row %2; the rows above it are left out</source>
        <translation>%1：表头在第 %2 行；它上面的行不读取</translation>
    </message>
    <message>
        <source>%1 (%2: the program shows no explanations)</source>
        <translation>%1（%2：程序不显示解析）</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>%1: columns not read: %2</source>
        <translation>%1：未读取的列：%2</translation>
    </message>
    <message>
        <source>not a whole number; write a whole number, such as %1</source>
        <translation>不是整数；请填写一个整数，例如 %1</translation>
    </message>
    <message>
        <source>a multiple-choice question: the program takes one answer, A, B or C</source>
        <translation>多选题：程序只接受一个答案，A、B 或 C</translation>
    </message>
    <message>
        <source>no answer: write A, B or C, or 对 or 错</source>
        <translation>没有答案：请填写 A、B 或 C，或者 对 或 错</translation>
    </message>
    <message>
        <source>a question type the program does not have: it shows single-choice (A, B, C) and true/false questions</source>
        <translation>程序没有这种题型：程序只显示单选题（A、B、C）和判断题</translation>
    </message>
    <message>
        <source>not a question type; write one of %1</source>
        <translation>不是题型；请填写以下之一：%1</translation>
    </message>
    <message>
        <source>the sheet has no 题型 and this answer does not tell the type; write A, B or C for a single-choice question, 对 or 错 for a true/false one</source>
        <translation>表格没有题型，从这个答案也看不出题型；单选题请填写 A、B 或 C，判断题请填写 对 或 错</translation>
    </message>
    <message>
        <source>an answer after C: the program shows three options, A, B and C</source>
        <translation>答案在 C 之后：程序只显示三个选项 A、B、C</translation>
    </message>
    <message>
        <source>not an answer to a single-choice question; write one of %1</source>
        <translation>不是单选题的答案；请填写以下之一：%1</translation>
    </message>
    <message>
        <source>not an answer to a true/false question; write one of %1</source>
        <translation>不是判断题的答案；请填写以下之一：%1</translation>
    </message>
    <message>
        <source>the sheet has no other columns</source>
        <translation>表格中没有别的列</translation>
    </message>
    <message>
        <source>columns not read: %1</source>
        <translation>未读取的列：%1</translation>
    </message>
    <message>
        <source>a fourth option: the program shows three, A, B and C</source>
        <translation>有第四个选项：程序只显示三个选项 A、B、C</translation>
    </message>
    <message>
        <source>a true/false question has no options, but this column holds one; leave it empty (or write the question type 单选 if it has options)</source>
        <translation>判断题没有选项，但这一列填了选项；请留空（如果这道题有选项，请把题型写成 单选）</translation>
    </message>
    <message>
        <source>a single-choice question without its options: no option columns (%1, ... for B and C) and no lines A、… B、… C、… in the question; %2</source>
        <translation>单选题没有选项：既没有选项列（%1 ……，B、C 同理），题干中也没有 A、… B、… C、… 的行；%2</translation>
    </message>
    <message>
        <source>the options are in columns, but there is no column for option %1; add it</source>
        <translation>选项写在列中，但没有选项 %1 的列；请添加</translation>
    </message>
    <message>
        <source>the option is empty, but other options are given; a single-choice question has three options, A, B and C</source>
        <translation>这个选项是空的，但填了其他选项；单选题有 A、B、C 三个选项</translation>
    </message>
    <message>
        <source>does not say whether the question must be answered right; write one of %1, or leave it empty for 否</source>
        <translation>看不出是否必对题；请填写以下之一：%1，或留空表示“否”</translation>
    </message>
    <message>
        <source>the cell is empty; write the chapter (a number such as 101, or its title)</source>
        <translation>单元格是空的；请填写章节（编号如 101，或章节标题）</translation>
    </message>
    <message>
        <source>%1: no %2 column: all %L3 questions go into one category, %4 &quot;%5&quot;</source>
        <translation>%1：没有“%2”列：全部 %L3 道题归入一个章节，%4“%5”</translation>
    </message>
    <message>
        <source>no category in the categories sheet has this title; write its number or its title as listed there</source>
        <translation>章节表中没有这个标题的章节；请填写章节表中列出的编号或标题</translation>
    </message>
    <message>
        <source>%1: chapters are written as titles: %2 categories, numbered %3 to %4 in the order they first appear</source>
        <translation>%1：章节写的是标题：共 %2 个章节，按首次出现的顺序编号为 %3 至 %4</translation>
    </message>
    <message>
        <source>the workbook has two worksheets named &quot;%1&quot;; rename one of them</source>
        <translation>工作簿中有两个名为“%1”的工作表；请把其中一个改名</translation>
    </message>
    <message>
        <source>%1: no %2 column: the questions are numbered 1 to %L3 in sheet order</source>
        <translation>%1：没有“%2”列：题目按表格中的顺序编号为 1 至 %L3</translation>
    </message>
    <message>
        <source>%1: %L2 questions have no %3; single-choice or true/false was told from the answer and the options</source>
        <translation>%1：有 %L2 道题没有%3；已根据答案和选项判断是单选题还是判断题</translation>
    </message>
    <message>
        <source>%1: %L2 answers are followed by other text on later lines; the first line is the answer, the rest is left out</source>
        <translation>%1：有 %L2 个答案后面的行里还有别的文字；第一行作为答案，其余的不读取</translation>
    </message>
</context>
<context>
    <name>SheetBankWriter</name>
    <message>
        <source>%1 holds a carriage return, which a sheet reads as a line break</source>
        <translation>%1 含有回车符，表格会把它读成换行</translation>
    </message>
    <message>
        <source>%1 is longer than the %L2 characters an Excel cell holds</source>
        <translation>%1 超过了 Excel 单元格能容纳的 %L2 个字符</translation>
    </message>
    <message>
        <source>category %1</source>
        <translation>章节 %1</translation>
    </message>
    <message>
        <source>%1 has no title, which a sheet requires</source>
        <translation>%1 没有名称，而表格要求有名称</translation>
    </message>
    <message>
        <source>question %1</source>
        <translation>第 %1 题</translation>
    </message>
    <message>
        <source>%1: the type code %2 has no word in a sheet</source>
        <translation>%1：题型代码 %2 在表格中没有对应的写法</translation>
    </message>
    <message>
        <source>%1: the answer code %2 has no word in a sheet</source>
        <translation>%1：答案代码 %2 在表格中没有对应的写法</translation>
    </message>
    <message>
        <source>%1: the must-answer value %2 has no word in a sheet</source>
        <translation>%1：必对标记 %2 在表格中没有对应的写法</translation>
    </message>
    <message>
        <source>%1 has no text, which a sheet requires</source>
        <translation>%1 没有题干，而表格要求有题干</translation>
    </message>
    <message>
        <source>material &quot;%1&quot;</source>
        <translation>资料“%1”</translation>
    </message>
    <message>
        <source>cannot start the workbook</source>
        <translation>无法创建工作簿</translation>
    </message>
    <message>
        <source>the workbook cannot be written: %1</source>
        <translation>无法写入工作簿：%1</translation>
    </message>
    <message>
        <source>the workbook cannot be written: this system cannot spell the folder&apos;s name for the workbook writer; choose a folder whose name has only letters of the system&apos;s language</source>
        <translation>无法写入工作簿：本系统无法把文件夹的名称交给工作簿写入程序；请选择名称只含本系统语言文字的文件夹</translation>
    </message>
</context>
<context>
    <name>SheetFiles</name>
    <message>
        <source>tab-separated text, %1</source>
        <translation>制表符分隔的文本，%1</translation>
    </message>
    <message>
        <source>CSV, %1</source>
        <translation>CSV，%1</translation>
    </message>
</context>
<context>
    <name>SourceProblem</name>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1…[%L2 characters left out]…%3</source>
        <translation>%1…[省略 %L2 个字符]…%3</translation>
    </message>
    <message>
        <source>&quot;%1&quot;</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>%1:%2</source>
        <translation>%1:%2</translation>
    </message>
    <message>
        <source>%1: row %2</source>
        <translation>%1：第 %2 行</translation>
    </message>
    <message>
        <source>%1: row %2, column %3 (%4)</source>
        <translation>%1：第 %2 行，%3 列（%4）</translation>
    </message>
</context>
<context>
    <name>SqliteBankWriter</name>
    <message>
        <source>%1: a value is larger than %2, the most the tool writes into a bank</source>
        <translation>%1：有一个值大于 %2，超过了本工具写入题库的上限</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>category %1</source>
        <translation>章节 %1</translation>
    </message>
    <message>
        <source>question %1</source>
        <translation>第 %1 题</translation>
    </message>
    <message>
        <source>material &quot;%1&quot;</source>
        <translation>资料“%1”</translation>
    </message>
    <message>
        <source>Writing</source>
        <translation>写入中</translation>
    </message>
    <message>
        <source>the bank cannot be written: %1</source>
        <translation>无法写入题库：%1</translation>
    </message>
    <message>
        <source>the bank cannot be written: %1 (%2)</source>
        <translation>无法写入题库：%1（%2）</translation>
    </message>
    <message>
        <source>the disk refused the write; it may be full, or the file too large for it</source>
        <translation>磁盘拒绝写入；可能已满，或文件超出了它的大小限制</translation>
    </message>
</context>
<context>
    <name>StatsCommand</name>
    <message>
        <source>(no such category)</source>
        <translation>（无此章节）</translation>
    </message>
    <message>
        <source>single choice (A/B/C)</source>
        <translation>单选题（A/B/C）</translation>
    </message>
    <message>
        <source>true/false (classNo %1)</source>
        <translation>判断题（classNo %1）</translation>
    </message>
    <message>
        <source>must-answer</source>
        <translation>必对题</translation>
    </message>
    <message>
        <source>ordinary</source>
        <translation>普通题</translation>
    </message>
    <message>
        <source>neither (passOnly %1)</source>
        <translation>都不是（passOnly %1）</translation>
    </message>
    <message>
        <source>with a picture</source>
        <translation>有图片</translation>
    </message>
    <message>
        <source>without a picture</source>
        <translation>无图片</translation>
    </message>
    <message>
        <source>Questions: %1</source>
        <translation>题目：%1 道</translation>
    </message>
    <message>
        <source>By category:</source>
        <translation>按章节：</translation>
    </message>
    <message>
        <source>By type:</source>
        <translation>按题型：</translation>
    </message>
    <message>
        <source>By must-answer flag:</source>
        <translation>按是否必对：</translation>
    </message>
    <message>
        <source>By picture:</source>
        <translation>按有无图片：</translation>
    </message>
</context>
<context>
    <name>StoredBankReader</name>
    <message>
        <source>is not an integer</source>
        <translation>不是整数</translation>
    </message>
    <message>
        <source>is not text</source>
        <translation>不是文本</translation>
    </message>
    <message>
        <source>is not a picture (a byte value)</source>
        <translation>不是图片（字节值）</translation>
    </message>
    <message>
        <source>%1 row %2: %3 %4</source>
        <translation>%1 第 %2 行：%3 %4</translation>
    </message>
    <message>
        <source>column %1 of table %2 is not exported</source>
        <translation>表 %2 的列 %1 不会导出</translation>
    </message>
    <message>
        <source>is not valid UTF-8 text</source>
        <translation>不是有效的 UTF-8 文本</translation>
    </message>
</context>
<context>
    <name>TemplateCommand</name>
    <message>
        <source>question number, a whole number; without this column the questions are numbered in sheet order</source>
        <translation>题号，整数；没有这一列时按表格中的顺序编号</translation>
    </message>
    <message>
        <source>single choice: %1; true/false: %2; empty: told from the answer and the options</source>
        <translation>单选题：%1；判断题：%2；空着：根据答案和选项判断</translation>
    </message>
    <message>
        <source>the question (required)</source>
        <translation>题目内容（必填）</translation>
    </message>
    <message>
        <source>option A of a single-choice question; likewise 选项B and 选项C; the program shows three options, so a fourth is left out with its row</source>
        <translation>单选题的选项 A；选项B、选项C 同理；程序只显示三个选项，有第四个选项的行不会收入</translation>
    </message>
    <message>
        <source>single choice: A, B or C; true/false: %1 (required)</source>
        <translation>单选题：A、B 或 C；判断题：%1（必填）</translation>
    </message>
    <message>
        <source>the category: its number (101) or its title (第一章 …); without this column all questions go into one category named after the sheet</source>
        <translation>所属章节：编号（101）或标题（第一章 …）；没有这一列时，所有题目归入一个以表格命名的章节</translation>
    </message>
    <message>
        <source>must-answer question: %1; empty: 否</source>
        <translation>是否必对题：%1；空着：否</translation>
    </message>
    <message>
        <source>picture file (PNG, JPEG, BMP or SVG), relative to the sheet&apos;s folder: pictures\stop.png</source>
        <translation>图片文件（PNG、JPEG、BMP 或 SVG），相对于表格所在的文件夹：pictures\stop.png</translation>
    </message>
    <message>
        <source>explanation: kept in your sheet, not in the bank (the program shows none)</source>
        <translation>解析：只留在您的表格中，不写入题库（程序不显示解析）</translation>
    </message>
    <message>
        <source>  %1 (also %2): %3</source>
        <translation>  %1（也可写作 %2）：%3</translation>
    </message>
    <message>
        <source>notes</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>column</source>
        <translation>列名</translation>
    </message>
    <message>
        <source>may also be named</source>
        <translation>也可写作</translation>
    </message>
    <message>
        <source>what to write</source>
        <translation>填写内容</translation>
    </message>
    <message>
        <source>the worksheet 章节 titles the categories: 100, 200, ... head a chapter, 101, 102, ... hold questions; without it each category is titled by its number</source>
        <translation>“章节”工作表给出各章节的标题：100、200 …… 是章的标题行，101、102 …… 下面放题目；没有这个工作表时，每个章节以编号为标题</translation>
    </message>
    <message>
        <source>build</source>
        <translation>生成</translation>
    </message>
    <message>
        <source>quenhar-bank build 题库模板.xlsx velmora.db, then copy velmora.db next to the program</source>
        <translation>quenhar-bank build 题库模板.xlsx velmora.db，然后把 velmora.db 复制到程序所在的文件夹</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1: written; fill it in and build it with &quot;quenhar-bank build %1 velmora.db&quot;</source>
        <translation>%1：已写出；填好后用“quenhar-bank build %1 velmora.db”生成题库</translation>
    </message>
</context>
<context>
    <name>TextEncoding</name>
    <message>
        <source>this is an Excel workbook, not text; name it .xlsx</source>
        <translation>这是 Excel 工作簿，不是文本；请把扩展名改为 .xlsx</translation>
    </message>
    <message>
        <source>this is an old Excel 97-2003 file (.xls); open it in Excel or WPS and save it as &quot;Excel 工作簿 (*.xlsx)&quot; or &quot;CSV UTF-8 (逗号分隔)&quot;</source>
        <translation>这是旧的 Excel 97-2003 文件（.xls）；请用 Excel 或 WPS 打开，另存为“Excel 工作簿 (*.xlsx)”或“CSV UTF-8 (逗号分隔)”</translation>
    </message>
    <message>
        <source>the file says it is %1 text but is not; save it again as &quot;CSV UTF-8&quot;</source>
        <translation>文件标明是 %1 文本，但实际不是；请重新另存为“CSV UTF-8”</translation>
    </message>
    <message>
        <source>the file is not text in UTF-8, GB18030 (GBK) or UTF-16; save it as &quot;CSV UTF-8&quot;</source>
        <translation>文件不是 UTF-8、GB18030（GBK）或 UTF-16 文本；请另存为“CSV UTF-8”</translation>
    </message>
</context>
<context>
    <name>XlsSheet</name>
    <message>
        <source>not an Excel 97-2003 workbook (.xls), or a damaged one (a Word or other Office file has the same outer form); open it in your spreadsheet program and save it again</source>
        <translation>不是 Excel 97-2003 工作簿（.xls），或者文件已损坏（Word 等 Office 文件的外层格式相同）；请用表格软件打开后重新保存</translation>
    </message>
    <message>
        <source>the workbook has no worksheet</source>
        <translation>工作簿中没有工作表</translation>
    </message>
    <message>
        <source>the workbook has no worksheet named %1</source>
        <translation>工作簿中没有名为 %1 的工作表</translation>
    </message>
    <message>
        <source>the worksheet cannot be read; the file is damaged</source>
        <translation>无法读取工作表；文件已损坏</translation>
    </message>
    <message>
        <source>the worksheet has more than %L1 cells, more than the tool reads; split it</source>
        <translation>工作表的单元格多于 %L1 个，超出本工具的读取上限；请拆分</translation>
    </message>
    <message>
        <source>Excel 97-2003 workbook, worksheet &quot;%1&quot;</source>
        <translation>Excel 97-2003 工作簿，工作表“%1”</translation>
    </message>
    <message>
        <source>row %1: the worksheet holds more text than the tool reads (%L2 characters in a cell, %L3 in all); split it</source>
        <translation>第 %1 行：工作表中的文字超出本工具的读取上限（一个单元格 %L2 个字符，总共 %L3 个）；请拆分</translation>
    </message>
</context>
<context>
    <name>XlsxSheet</name>
    <message>
        <source>the workbook has no worksheet</source>
        <translation>工作簿中没有工作表</translation>
    </message>
    <message>
        <source>the workbook has no worksheet named %1</source>
        <translation>工作簿中没有名为 %1 的工作表</translation>
    </message>
    <message>
        <source>the workbook does not say where its first worksheet is; it is damaged</source>
        <translation>工作簿没有标明第一个工作表在哪里；它已损坏</translation>
    </message>
    <message>
        <source>the worksheet&apos;s rows are out of order or numbered beyond Excel&apos;s last row (row %1); the file is damaged</source>
        <translation>工作表的行顺序错乱，或行号超出 Excel 的最后一行（第 %1 行）；文件已损坏</translation>
    </message>
    <message>
        <source>row %1: the cell reference &quot;%2&quot; is not valid; the file is damaged</source>
        <translation>第 %1 行：单元格引用“%2”无效；文件已损坏</translation>
    </message>
    <message>
        <source>the worksheet has more than %L1 cells, more than the tool reads; split it</source>
        <translation>工作表的单元格多于 %L1 个，超出了本工具的读取上限；请把它拆分</translation>
    </message>
    <message>
        <source>row %1: cell %2 refers to a shared string the workbook does not have; the file is damaged</source>
        <translation>第 %1 行：单元格 %2 引用了工作簿中不存在的共享字符串；文件已损坏</translation>
    </message>
    <message>
        <source>Excel workbook, worksheet &quot;%1&quot;</source>
        <translation>Excel 工作簿，工作表“%1”</translation>
    </message>
    <message>
        <source>row %1: the cell %2 holds %L3 characters, more than the %L4 a cell may hold</source>
        <translation>第 %1 行：单元格 %2 含 %L3 个字符，超过了一个单元格可容纳的 %L4 个</translation>
    </message>
    <message>
        <source>the worksheet&apos;s cells hold more than %L1 characters in all (shared strings counted in every cell that uses them), the limit</source>
        <translation>工作表各单元格的字符总数超过了上限 %L1 个（共享字符串在每个使用它的单元格中都计数）</translation>
    </message>
    <message>
        <source>not an Excel workbook (.xlsx): the file is not a zip archive, or is cut short</source>
        <translation>不是 Excel 工作簿（.xlsx）：文件不是 zip 压缩包，或者不完整</translation>
    </message>
</context>
<context>
    <name>ZipArchive</name>
    <message>
        <source>the part %1 of the workbook is damaged; open the file in your spreadsheet program and save it again</source>
        <translation>工作簿的 %1 部分已损坏；请用表格软件打开后重新保存</translation>
    </message>
    <message>
        <source>the workbook has no part %1; it is damaged or not made by a spreadsheet program; open it in your spreadsheet program and save it again</source>
        <translation>工作簿中没有 %1 部分；文件已损坏，或不是表格软件生成的；请用表格软件打开后重新保存</translation>
    </message>
    <message>
        <source>the part %1 of the workbook unpacks to more than %2, the limit; the file is damaged or made to fill the memory</source>
        <translation>工作簿的 %1 部分解压后超过 %2 的上限；文件已损坏，或是故意用来占满内存的</translation>
    </message>
    <message>
        <source>the part %1 of the workbook declares a document type, which no spreadsheet program writes; the file is refused</source>
        <translation>工作簿的 %1 部分声明了文档类型，表格软件不会这样写；拒绝读取此文件</translation>
    </message>
    <message>
        <source>the part %1 of the workbook is damaged (line %2: %3); open the file in your spreadsheet program and save it again</source>
        <translation>工作簿的 %1 部分已损坏（第 %2 行：%3）；请用表格软件打开后重新保存</translation>
    </message>
</context>
<context>
    <name>quenhar_bank</name>
    <message>
        <source>usage: quenhar-bank %1 %2</source>
        <translation>用法：quenhar-bank %1 %2</translation>
    </message>
    <message>
        <source>&quot;quenhar-bank %1 --help&quot; tells more.</source>
        <translation>&quot;quenhar-bank %1 --help&quot; 可查看详细说明。</translation>
    </message>
    <message>
        <source>Replace OUT.db if it exists.</source>
        <translation>如果 OUT.db 已存在，就替换它。</translation>
    </message>
    <message>
        <source>Converts a Jet 4 (Access 2000-2003) bank into a new bank, then checks it.</source>
        <translation>把 Jet 4（Access 2000-2003）题库转换成新题库，然后检查它。</translation>
    </message>
    <message>
        <source>Category titles for a sheet source: a sheet with the columns 章节 and 名称.</source>
        <translation>表格源文件的章节名称：一个含“章节”和“名称”两列的表格。</translation>
    </message>
    <message>
        <source>Reference materials for a sheet source: a sheet with the columns 编号, 标题 and 内容.</source>
        <translation>表格源文件的资料：一个含“编号”“标题”“内容”三列的表格。</translation>
    </message>
    <message>
        <source>Replace files in OUTDIR that exist.</source>
        <translation>替换 OUTDIR 中已存在的文件。</translation>
    </message>
    <message>
        <source>json (the default), csv (UTF-8 with a byte order mark, for Excel) or xlsx (an Excel workbook).</source>
        <translation>json（默认）、csv（带字节顺序标记的 UTF-8，供 Excel 打开）或 xlsx（Excel 工作簿）。</translation>
    </message>
    <message>
        <source>--format must be json, csv or xlsx</source>
        <translation>--format 必须是 json、csv 或 xlsx</translation>
    </message>
    <message>
        <source>Reads the bank DB the way the program does, without changing it, and tells what the program will do with it. Exit 0 when the program can use it, 1 when it fails on it.</source>
        <translation>像程序那样读取题库 DB（不作任何改动），说明程序会怎样使用它。程序能使用时退出码为 0，会出错时为 1。</translation>
    </message>
    <message>
        <source>Counts the bank&apos;s questions by category, type, must-answer flag and picture.</source>
        <translation>按章节、题型、是否必对和有无图片统计题库中的题目。</translation>
    </message>
    <message>
        <source>usage: quenhar-bank COMMAND ...</source>
        <translation>用法：quenhar-bank 命令 ……</translation>
    </message>
    <message>
        <source>Writes the bank DB into OUTDIR as bank.json, bank.csv (with categories.csv and materials.csv) or bank.xlsx, and each picture as pictures/&lt;question number&gt;.bmp. Building the export again gives the same tables.</source>
        <translation>把题库 DB 导出到 OUTDIR：bank.json、bank.csv（以及 categories.csv 和 materials.csv）或 bank.xlsx，每张图片存为 pictures/&lt;题号&gt;.bmp。用导出的文件重新生成，得到的表完全相同。</translation>
    </message>
    <message>
        <source>Read pictures from anywhere the source names (absolute paths, ../, links leading out), not only from the source&apos;s folder and below: for a source you trust.</source>
        <translation>按源文件所写的位置读取图片，不论在哪里（绝对路径、../、指向外面的链接），而不只限于源文件所在的文件夹及其子文件夹：用于您信任的源文件。</translation>
    </message>
    <message>
        <source>Commands:
  build SOURCE OUT.db   make a new bank from a .json source, a sheet (.xlsx, .csv, .txt) or a Jet .mdb file
  import OLD.mdb OUT.db convert a Jet 4 (Access) bank into a new bank and check it
  export DB OUTDIR      write a bank as JSON, CSV or an Excel workbook, with its pictures
  check DB              tell what the program will do with a bank
  stats DB              count a bank&apos;s questions
  template FILE.xlsx    write a sheet to start a bank from: every column, three examples, notes

&quot;quenhar-bank COMMAND --help&quot; tells more about a command.
Exit codes: 0 ok, 1 the bank or source has faults, 2 usage error.</source>
        <translation>命令：
  build SOURCE OUT.db   用 .json 源文件、表格（.xlsx、.csv、.txt）或 Jet 的 .mdb 文件生成新题库
  import OLD.mdb OUT.db 把 Jet 4（Access）题库转换成新题库并检查
  export DB OUTDIR      把题库导出为 JSON、CSV 或 Excel 工作簿，连同图片
  check DB              说明程序会怎样使用一个题库
  stats DB              统计题库中的题目
  template FILE.xlsx    写出一个表格作为题库的起点：包含所有列、三行示例和说明

&quot;quenhar-bank 命令 --help&quot; 可查看命令的详细说明。
退出码：0 成功，1 题库或源文件有问题，2 用法错误。</translation>
    </message>
    <message>
        <source>Build the questions the program can show and write the sheet&apos;s other rows (multiple choice, a fourth option, no answer, ...) to OUT.left-out.xlsx, with their row numbers and reasons.</source>
        <translation>生成程序能显示的题，把表格中的其他行（多选题、第四个选项、没有答案等）连同行号和原因写入 OUT.未收入的题.xlsx。</translation>
    </message>
    <message>
        <source>Makes a new bank OUT.db from SOURCE: a .json file, a sheet (an Excel workbook .xlsx or .xls, an OpenDocument spreadsheet .ods, or a CSV or text file .csv, .txt; told by content, whatever the name) or an Access .mdb file.

A sheet&apos;s columns, in any order (case, spaces, full-width forms and remarks in brackets do not matter; other columns are listed and left out):
%1</source>
        <translation>用 SOURCE 生成新题库 OUT.db：SOURCE 可以是 .json 文件、表格（Excel 工作簿 .xlsx 或 .xls、OpenDocument 电子表格 .ods、CSV 或文本文件 .csv、.txt；按内容识别，与文件名无关）或 Access 的 .mdb 文件。

表格的列，顺序不限（大小写、空格、全角半角和括号里的备注都不影响；其他列会列出并不读取）：
%1</translation>
    </message>
    <message>
        <source>Replace FILE.xlsx if it exists.</source>
        <translation>如果 FILE.xlsx 已存在，替换它。</translation>
    </message>
    <message>
        <source>Writes an Excel workbook to start a bank from: the worksheet 题目 with every column and three example rows, 章节 with the categories, and 说明 saying what goes in each column. &quot;quenhar-bank build FILE.xlsx velmora.db&quot; builds it.</source>
        <translation>写出一个 Excel 工作簿作为题库的起点：“题目”工作表包含所有列和三行示例，“章节”工作表列出章节，“说明”工作表说明每一列填什么。用“quenhar-bank build FILE.xlsx velmora.db”生成题库。</translation>
    </message>
</context>
</TS>
