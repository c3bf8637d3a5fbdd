<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>RegularFile</name>
    <message>
        <source>cannot be read: %1</source>
        <translation>无法读取：%1</translation>
    </message>
    <message>
        <source>is a folder, not a file</source>
        <translation>是文件夹，不是文件</translation>
    </message>
    <message>
        <source>is not a regular file (a device, a pipe or a socket); only files are read</source>
        <translation>不是普通文件（而是设备、管道或套接字）；只读取普通文件</translation>
    </message>
    <message>
        <source>is larger than %1, the limit for this kind of file</source>
        <translation>大于 %1，超过了这类文件的上限</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 字节</translation>
    </message>
</context>
<context>
    <name>Store</name>
    <message>
        <source>&apos;%1&apos; %2</source>
        <translation>“%1”%2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is in WAL mode and its log %2 has no index %3: reading the log would change the bank&apos;s files. Open the bank once with the program (which merges the log into the bank) and try again.</source>
        <translation>“%1”处于 WAL 模式，它的日志 %2 没有索引 %3：读取日志会改动题库的文件。请先用程序打开一次这个题库（程序会把日志并入题库），然后再试。</translation>
    </message>
    <message>
        <source>%1 (while reading &quot;%2&quot;)</source>
        <translation>%1（读取“%2”时）</translation>
    </message>
    <message>
        <source>reading took longer than %1 s, the limit; the bank may be damaged, or a view in it never ends</source>
        <translation>读取时间超过了 %1 秒的上限；题库可能已损坏，或其中有一个永远读不完的视图</translation>
    </message>
    <message>
        <source>reading needed more than %1 of memory, the limit; the bank may be damaged</source>
        <translation>读取所需内存超过了 %1 的上限；题库可能已损坏</translation>
    </message>
    <message>
        <source>a value is larger than %1, the limit for one row; the bank may be damaged</source>
        <translation>有一个值大于 %1，超过了一行的上限；题库可能已损坏</translation>
    </message>
    <message>
        <source>a row holds more than %1, the limit for one row; the bank may be damaged</source>
        <translation>有一行的内容超过了 %1，即一行的上限；题库可能已损坏</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not an SQLite database</source>
        <translation>“%1”不是 SQLite 数据库</translation>
    </message>
    <message>
        <source>&apos;%1&apos; already exists</source>
        <translation>“%1”已经存在</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be opened: %2</source>
        <translation>无法打开“%1”：%2</translation>
    </message>
    <message>
        <source>The bank %1 was deleted or replaced by another file while the program ran; nothing was written to it. Start the program again to use the bank now there</source>
        <translation>题库 %1 在程序运行期间被删除或被另一个文件替换，修改没有写入。请重新启动程序，以使用现在的题库</translation>
    </message>
    <message>
        <source>The rows take more than %1 MB; the bank may be damaged</source>
        <translation>读取的数据超过 %1 MB，题库可能已损坏</translation>
    </message>
    <message>
        <source>Reading the rows took longer than %1 s; the bank may be damaged</source>
        <translation>读取数据超过 %1 秒，题库可能已损坏</translation>
    </message>
    <message>
        <source>Cannot perform this operation on a closed dataset</source>
        <translation>数据集已关闭，不能执行此操作</translation>
    </message>
    <message>
        <source>Record number %1 is out of range (1 to %2)</source>
        <translation>记录号 %1 超出范围（1 到 %2）</translation>
    </message>
    <message>
        <source>Field &apos;%1&apos; not found</source>
        <translation>题库中找不到字段“%1”</translation>
    </message>
    <message>
        <source>Cannot modify this dataset: its rows are not the rows of one table with rowids</source>
        <translation>不能修改这些数据：它们不是同一个带行号的表中的行</translation>
    </message>
    <message>
        <source>Dataset not in edit or insert mode</source>
        <translation>数据集不在编辑或插入状态</translation>
    </message>
    <message>
        <source>Another program has deleted this entry since it was read; the change has not been written</source>
        <translation>这条资料在读取后已被另一个程序删除，修改没有写入</translation>
    </message>
    <message>
        <source>Another program has changed this entry since it was read; the change has not been written</source>
        <translation>这条资料在读取后已被另一个程序修改，修改没有写入</translation>
    </message>
    <message>
        <source>The columns of table &apos;%1&apos; have changed since it was read; refresh it</source>
        <translation>表“%1”的列在读取后已被改动，请刷新</translation>
    </message>
    <message>
        <source>The written entry cannot be read back</source>
        <translation>写入的资料无法读回</translation>
    </message>
    <message>
        <source>Cannot perform this operation on an empty dataset</source>
        <translation>数据集为空，不能执行此操作</translation>
    </message>
    <message>
        <source>Another program has changed this entry since it was read, so it was not deleted; refresh to see it</source>
        <translation>这条资料在读取后已被另一个程序修改，因此没有删除；请刷新后查看</translation>
    </message>
    <message>
        <source>The bank %1 cannot be written: it is read-only, or it was moved or replaced while the program ran</source>
        <translation>无法写入题库 %1：它是只读的，或在程序运行期间被移动或替换</translation>
    </message>
    <message>
        <source>The bank %1 is being written by another program and stayed busy too long</source>
        <translation>题库 %1 正被另一个程序写入，等待过久</translation>
    </message>
    <message>
        <source>The disk holding the bank %1 is full</source>
        <translation>题库 %1 所在的磁盘已满</translation>
    </message>
    <message>
        <source>The bank %1 could not be read or written</source>
        <translation>无法读写题库 %1</translation>
    </message>
    <message>
        <source>The bank %1 is damaged</source>
        <translation>题库 %1 已损坏</translation>
    </message>
    <message>
        <source>A value is too big for the bank %1</source>
        <translation>数据太大，题库 %1 无法保存</translation>
    </message>
    <message>
        <source>The bank %1 refused the change</source>
        <translation>题库 %1 拒绝了这次修改</translation>
    </message>
    <message>
        <source>The work on the bank %1 took too long and was stopped</source>
        <translation>处理题库 %1 用时过长，已停止</translation>
    </message>
    <message>
        <source>The bank %1 cannot be used as the program needs</source>
        <translation>题库 %1 不符合程序的要求</translation>
    </message>
    <message>
        <source>The statement is empty</source>
        <translation>语句为空</translation>
    </message>
    <message>
        <source>the path of &apos;%1&apos; is %2 bytes long, and SQLite opens no file whose path is longer than %3 bytes; move the bank to a folder with a shorter path</source>
        <translation>“%1”的路径长 %2 字节，而 SQLite 不能打开路径超过 %3 字节的文件；请把题库移到路径较短的文件夹中</translation>
    </message>
    <message>
        <source>the path of &apos;%1&apos; is %2 characters long, and Windows opens no file whose path is longer than %3 characters; move the bank to a folder with a shorter path</source>
        <translation>“%1”的路径长 %2 个字符，而 Windows 不能打开路径超过 %3 个字符的文件；请把题库移到路径较短的文件夹中</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be reached: a folder on its path may not be searched by you (permission denied)</source>
        <translation>无法访问“%1”：其路径上的某个文件夹不允许您进入（权限不足）</translation>
    </message>
</context>
<context>
    <name>SystemError</name>
    <message>
        <source>no such file or folder</source>
        <translation>没有这个文件或文件夹</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>没有权限</translation>
    </message>
    <message>
        <source>operation not permitted</source>
        <translation>不允许此操作</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>your disk quota is used up</source>
        <translation>您的磁盘配额已用完</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>文件太大</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>磁盘是只读的</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>这是一个文件夹</translation>
    </message>
    <message>
        <source>a part of the path is not a folder</source>
        <translation>路径中有一部分不是文件夹</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>名称太长</translation>
    </message>
    <message>
        <source>too many symbolic links</source>
        <translation>符号链接太多</translation>
    </message>
    <message>
        <source>input/output error (the disk may be damaged)</source>
        <translation>输入/输出错误（磁盘可能已损坏）</translation>
    </message>
    <message>
        <source>too many open files</source>
        <translation>打开的文件太多</translation>
    </message>
    <message>
        <source>the file is in use</source>
        <translation>文件正在使用中</translation>
    </message>
    <message>
        <source>it already exists</source>
        <translation>已经存在</translation>
    </message>
    <message>
        <source>it cannot be moved to another disk</source>
        <translation>无法移动到另一个磁盘</translation>
    </message>
</context>
</TS>
