<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QObject</name>
    <message>
        <source>Tips</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>The startup files seem to be missing</source>
        <translation>启动文件似乎丢失了</translation>
    </message>
</context>
</TS>
