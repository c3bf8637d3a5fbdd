<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BankDocument</name>
    <message>
        <source>Edit question %1</source>
        <translation>编辑第 %1 题</translation>
    </message>
    <message>
        <source>Set the picture of question %1</source>
        <translation>设置第 %1 题的图片</translation>
    </message>
    <message>
        <source>Remove the picture of question %1</source>
        <translation>移除第 %1 题的图片</translation>
    </message>
    <message>
        <source>Add question %1</source>
        <translation>新增第 %1 题</translation>
    </message>
    <message>
        <source>Delete question %1</source>
        <translation>删除第 %1 题</translation>
    </message>
    <message>
        <source>Add category %1</source>
        <translation>新增章节 %1</translation>
    </message>
    <message>
        <source>Rename category %1</source>
        <translation>重命名章节 %1</translation>
    </message>
    <message>
        <source>Renumber category %1 as %2</source>
        <translation>章节 %1 改编号为 %2</translation>
    </message>
    <message>
        <source>Delete category %1</source>
        <translation>删除章节 %1</translation>
    </message>
    <message>
        <source>Add reference text</source>
        <translation>新增资料</translation>
    </message>
    <message>
        <source>Edit reference text</source>
        <translation>编辑资料</translation>
    </message>
    <message>
        <source>Delete reference text</source>
        <translation>删除资料</translation>
    </message>
</context>
<context>
    <name>CategoryPanel</name>
    <message>
        <source>No.</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Questions</source>
        <translation>题目</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>新增…</translation>
    </message>
    <message>
        <source>Renumber…</source>
        <translation>改编号…</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>%1 is not a free category number.</source>
        <translation>%1 不是可用的章节编号。</translation>
    </message>
    <message>
        <source>Add category</source>
        <translation>新增章节</translation>
    </message>
    <message>
        <source>Number (100, 200, … head a chapter; 101, 102, … are categories):</source>
        <translation>编号（100、200……为章标题；101、102……为可练习的章节）：</translation>
    </message>
    <message>
        <source>Category %1 already exists.</source>
        <translation>章节 %1 已经存在。</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>名称：</translation>
    </message>
    <message>
        <source>Renumber category</source>
        <translation>章节改编号</translation>
    </message>
    <message>
        <source>New number for &quot;%1&quot; (its questions follow):</source>
        <translation>“%1”的新编号（其题目随之改变）：</translation>
    </message>
    <message numerus="yes">
        <source>Category %1 &quot;%2&quot; holds %n question(s). Deleting it deletes them too (Undo brings them back).</source>
        <translation>
            <numerusform>章节 %1“%2”中有 %n 道题。删除章节会同时删除这些题目（可用“撤销”恢复）。</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete the category and its questions</source>
        <translation>删除章节及其题目</translation>
    </message>
</context>
<context>
    <name>DocumentFiles</name>
    <message>
        <source>%1 holds values the editor cannot keep as they are; export it as JSON with the bank tool and open that instead</source>
        <translation>%1 中有编辑器无法原样保留的值；请用题库工具将其导出为 JSON，再打开该 JSON 文件</translation>
    </message>
    <message>
        <source>no temporary folder for reading %1: %2</source>
        <translation>无法建立读取 %1 所需的临时文件夹：%2</translation>
    </message>
    <message>
        <source>%1: cannot write in this folder: %2</source>
        <translation>%1：无法写入此文件夹：%2</translation>
    </message>
    <message>
        <source>question %1: %2</source>
        <translation>第 %1 题：%2</translation>
    </message>
    <message>
        <source>%1: %2; nothing was saved</source>
        <translation>%1：%2；未保存任何内容</translation>
    </message>
    <message>
        <source>%1; nothing was saved</source>
        <translation>%1；未保存任何内容</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 不存在</translation>
    </message>
    <message>
        <source>%1 is not a file</source>
        <translation>%1 不是文件</translation>
    </message>
    <message>
        <source>Chapter 1</source>
        <translation>第一章</translation>
    </message>
    <message>
        <source>Section 1</source>
        <translation>第一节</translation>
    </message>
    <message>
        <source>%1 cannot be put in place: %2</source>
        <translation>无法将 %1 放到位：%2</translation>
    </message>
    <message>
        <source>%1 is no longer there: another program moved or deleted it</source>
        <translation>%1 已不在原处：其他程序移动或删除了它</translation>
    </message>
    <message>
        <source>%1 was changed or replaced by another program since it was opened</source>
        <translation>自打开以来，%1 已被其他程序修改或替换</translation>
    </message>
    <message>
        <source>another program is writing %1 (or stopped half-way through a write)</source>
        <translation>其他程序正在写入 %1（或写入中途停止）</translation>
    </message>
    <message>
        <source>no temporary folder: %1</source>
        <translation>无法建立临时文件夹：%1</translation>
    </message>
    <message>
        <source>%1 %2 is not kept</source>
        <translation>%1 %2 不会保留</translation>
    </message>
</context>
<context>
    <name>DocumentProblems</name>
    <message>
        <source>question %1 has no text</source>
        <translation>第 %1 题没有题目文字</translation>
    </message>
    <message>
        <source>question %1: answer code %2 is not A, B or C: no answer button is right</source>
        <translation>第 %1 题：答案代码 %2 不是 A、B 或 C，没有一个答题按钮是对的</translation>
    </message>
    <message>
        <source>question %1: a true/false question whose key is C: no button is right</source>
        <translation>第 %1 题：判断题的答案为 C，没有一个按钮是对的</translation>
    </message>
    <message>
        <source>question %1: options missing: the text does not hold the options A, B and C on lines of their own, so the learner sees answer buttons without options</source>
        <translation>第 %1 题：缺少选项：题目文字中没有各占一行的 A、B、C 选项，学员只能看到答题按钮而看不到选项</translation>
    </message>
    <message>
        <source>question %1: must-answer value %2 is neither yes nor no: it never appears in a mock exam</source>
        <translation>第 %1 题：必答标记 %2 既不是“是”也不是“否”，此题永远不会出现在模拟考试中</translation>
    </message>
    <message>
        <source>balance of keys: %1 of the %2 single-choice questions have the key %3; a learner who always picks %3 passes too often</source>
        <translation>答案分布：%2 道单选题中有 %1 道的答案是 %3；总选 %3 的学员也常能答对</translation>
    </message>
    <message>
        <source>question %1: the text is longer than the trainer&apos;s text box: the learner has to scroll to read it</source>
        <translation>第 %1 题：文字超出了训练程序的文本框，学员需要滚动才能读完</translation>
    </message>
    <message>
        <source>question %1: the picture %2</source>
        <translation>第 %1 题：图片%2</translation>
    </message>
</context>
<context>
    <name>EditorWindow</name>
    <message>
        <source>A question bank or a source to open.</source>
        <translation>要打开的题库或来源文件。</translation>
    </message>
    <message>
        <source>Questions</source>
        <translation>题目</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>章节</translation>
    </message>
    <message>
        <source>Reference texts</source>
        <translation>资料</translation>
    </message>
    <message>
        <source>As the trainer shows it</source>
        <translation>学员看到的样子</translation>
    </message>
    <message>
        <source>&amp;New bank</source>
        <translation>新建题库(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open…</source>
        <translation>打开(&amp;O)…</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;as…</source>
        <translation>另存为(&amp;A)…</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Undo: %1</source>
        <translation>撤销(&amp;U)：%1</translation>
    </message>
    <message>
        <source>&amp;Redo: %1</source>
        <translation>重做(&amp;R)：%1</translation>
    </message>
    <message>
        <source>&amp;Find…</source>
        <translation>查找(&amp;F)…</translation>
    </message>
    <message>
        <source>&amp;Add question</source>
        <translation>新增题目(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Delete question</source>
        <translation>删除题目(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>Open &amp;recent</source>
        <translation>最近打开(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>导出(&amp;E)</translation>
    </message>
    <message>
        <source>Excel workbook (.xlsx)…</source>
        <translation>Excel 工作簿 (.xlsx)…</translation>
    </message>
    <message>
        <source>CSV sheets (.csv)…</source>
        <translation>CSV 表格 (.csv)…</translation>
    </message>
    <message>
        <source>JSON (.json)…</source>
        <translation>JSON (.json)…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>退出(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>Search the text or a number (Ctrl+F)</source>
        <translation>搜索题目文字或题号 (Ctrl+F)</translation>
    </message>
    <message>
        <source>All types</source>
        <translation>全部题型</translation>
    </message>
    <message>
        <source>Single choice</source>
        <translation>单选题</translation>
    </message>
    <message>
        <source>True/false</source>
        <translation>判断题</translation>
    </message>
    <message>
        <source>Must-answer or not</source>
        <translation>必答与否不限</translation>
    </message>
    <message>
        <source>Must-answer only</source>
        <translation>只看必答题</translation>
    </message>
    <message>
        <source>Ordinary only</source>
        <translation>只看普通题</translation>
    </message>
    <message>
        <source>With a picture</source>
        <translation>有图片</translation>
    </message>
    <message>
        <source>With a problem</source>
        <translation>有问题</translation>
    </message>
    <message>
        <source>New question</source>
        <translation>新增题目</translation>
    </message>
    <message>
        <source>Delete question</source>
        <translation>删除题目</translation>
    </message>
    <message>
        <source>Problems</source>
        <translation>问题</translation>
    </message>
    <message>
        <source>All categories</source>
        <translation>全部章节</translation>
    </message>
    <message>
        <source>The clipboard holds no picture. Copy a picture first, then paste it.</source>
        <translation>剪贴板中没有图片。请先复制一张图片，再粘贴。</translation>
    </message>
    <message>
        <source>The pasted picture could not be kept for conversion.</source>
        <translation>无法暂存粘贴的图片以便转换。</translation>
    </message>
    <message>
        <source>This picture cannot be used: %1</source>
        <translation>无法使用这张图片：%1</translation>
    </message>
    <message>
        <source>No problems found: the trainer can use this bank as it is.</source>
        <translation>没有发现问题：训练程序可以直接使用此题库。</translation>
    </message>
    <message>
        <source>%1 questions, %2 shown · %3 errors · %4 warnings</source>
        <translation>共 %1 题，显示 %2 题 · 错误 %3 · 警告 %4</translation>
    </message>
    <message>
        <source>When the source was read: %1</source>
        <translation>读取来源文件时：%1</translation>
    </message>
</context>
<context>
    <name>FileActions</name>
    <message>
        <source>Open a question bank</source>
        <translation>打开题库</translation>
    </message>
    <message>
        <source>Question banks and sources (*.db *.json *.xlsx *.xls *.ods *.csv *.txt *.tsv *.mdb);;Question banks (*.db);;All files (*)</source>
        <translation>题库和来源文件 (*.db *.json *.xlsx *.xls *.ods *.csv *.txt *.tsv *.mdb);;题库 (*.db);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Save the question bank</source>
        <translation>保存题库</translation>
    </message>
    <message>
        <source>Question banks (*.db)</source>
        <translation>题库 (*.db)</translation>
    </message>
    <message>
        <source>Export into folder</source>
        <translation>导出到文件夹</translation>
    </message>
    <message>
        <source>Choose a picture</source>
        <translation>选择图片</translation>
    </message>
    <message>
        <source>Pictures (%1);;All files (*)</source>
        <translation>图片 (%1);;所有文件 (*)</translation>
    </message>
    <message>
        <source>%1 could not be opened.

%2</source>
        <translation>无法打开 %1。

%2</translation>
    </message>
    <message numerus="yes">
        <source>%1 has %n error(s): the rows they are in could not be read as they are. Correct the source and open it again, or add what is missing here.</source>
        <translation>
            <numerusform>%1 中有 %n 处错误：出错的行无法照原样读入。请改正来源文件后重新打开，或在这里补上缺少的内容。</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 holds more than a question bank needs (see the details). Saving over it leaves that out; save as a new bank to keep the old file whole.</source>
        <translation>%1 中有题库以外的内容（见详细信息）。覆盖保存会丢掉这些内容；另存为新题库可完整保留旧文件。</translation>
    </message>
    <message>
        <source>Save without it</source>
        <translation>不保留这些内容，保存</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>已保存 %1</translation>
    </message>
    <message>
        <source>The bank was not saved; the file is as it was.

%1</source>
        <translation>题库未保存，文件保持原样。

%1</translation>
    </message>
    <message>
        <source>%1.

Saving now would overwrite those changes. Save your bank under another name to keep both, or replace the other version with yours.</source>
        <translation>%1。

现在保存会覆盖那些改动。可以把您的题库另存为其他文件名以保留两份，或用您的版本替换另一个版本。</translation>
    </message>
    <message>
        <source>Save as…</source>
        <translation>另存为…</translation>
    </message>
    <message>
        <source>Replace the other version</source>
        <translation>替换另一个版本</translation>
    </message>
    <message>
        <source>The bank was not saved.

%1</source>
        <translation>题库未保存。

%1</translation>
    </message>
    <message>
        <source>Nothing was exported.</source>
        <translation>未导出任何内容。</translation>
    </message>
    <message>
        <source>Exported: %1</source>
        <translation>已导出：%1</translation>
    </message>
    <message>
        <source>The bank has changes that are not saved. Save them?</source>
        <translation>题库有尚未保存的修改。要保存吗？</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Don&apos;t save</source>
        <translation>不保存</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1 (not yet saved as a bank)</source>
        <translation>%1（尚未保存为题库）</translation>
    </message>
    <message>
        <source>Untitled bank</source>
        <translation>未命名题库</translation>
    </message>
    <message>
        <source>%1[*] — Question bank editor</source>
        <translation>%1[*] — 题库编辑</translation>
    </message>
    <message>
        <source>Question banks and sources (*.db *.json *.xlsx *.xls *.ods *.csv *.txt *.tsv);;Question banks (*.db);;All files (*)</source>
        <translation>题库和来源文件 (*.db *.json *.xlsx *.xls *.ods *.csv *.txt *.tsv);;题库 (*.db);;所有文件 (*)</translation>
    </message>
</context>
<context>
    <name>MaterialsPanel</name>
    <message>
        <source>Title</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>New reference text</source>
        <translation>新资料</translation>
    </message>
</context>
<context>
    <name>PictureValue</name>
    <message>
        <source>the picture %1 %2</source>
        <translation>图片 %1 %2</translation>
    </message>
    <message>
        <source>the picture cannot be read from the opened bank: %1</source>
        <translation>无法从打开的题库中读取图片：%1</translation>
    </message>
</context>
<context>
    <name>QuestionEditor</name>
    <message>
        <source>Number:</source>
        <translation>题号：</translation>
    </message>
    <message>
        <source>Category:</source>
        <translation>章节：</translation>
    </message>
    <message>
        <source>Single choice</source>
        <translation>单选题</translation>
    </message>
    <message>
        <source>True/false</source>
        <translation>判断题</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>题型：</translation>
    </message>
    <message>
        <source>Question:</source>
        <translation>题目：</translation>
    </message>
    <message>
        <source>This text is not in the option layout (A、… B、… C、… on lines of their own), so it is edited as stored.</source>
        <translation>这段文字不是标准的选项格式（A、… B、… C、… 各占一行），因此按原文编辑。</translation>
    </message>
    <message>
        <source>Option %1:</source>
        <translation>选项 %1：</translation>
    </message>
    <message>
        <source>Key:</source>
        <translation>答案：</translation>
    </message>
    <message>
        <source>Must be answered right (must-answer question)</source>
        <translation>必须答对（必答题）</translation>
    </message>
    <message>
        <source>Picture:</source>
        <translation>图片：</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>选择…</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>%1 (not listed)</source>
        <translation>%1（不在章节列表中）</translation>
    </message>
    <message>
        <source>(the picture cannot be shown)</source>
        <translation>（图片无法显示）</translation>
    </message>
    <message>
        <source>(no picture)</source>
        <translation>（无图片）</translation>
    </message>
</context>
<context>
    <name>QuestionListModel</name>
    <message>
        <source>Choice</source>
        <translation>单选</translation>
    </message>
    <message>
        <source>True/false</source>
        <translation>判断题</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>图片</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>章节</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>题型</translation>
    </message>
    <message>
        <source>Must</source>
        <translation>必答</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>题目</translation>
    </message>
</context>
<context>
    <name>QuestionPreview</name>
    <message>
        <source>The text is longer than the trainer&apos;s text box: the learner has to scroll to read it.</source>
        <translation>文字超出了训练程序的文本框：学员需要滚动才能读完。</translation>
    </message>
    <message>
        <source>The picture (%1×%2) is larger than the trainer&apos;s picture area (%3×%4): the part outside is cut off.</source>
        <translation>图片（%1×%2）大于训练程序的图片区（%3×%4）：超出的部分会被裁掉。</translation>
    </message>
</context>
<context>
    <name>StoredPictures</name>
    <message>
        <source>no temporary folder for a copy of the opened bank: %1</source>
        <translation>没有可放打开的题库副本的临时文件夹：%1</translation>
    </message>
</context>
</TS>
