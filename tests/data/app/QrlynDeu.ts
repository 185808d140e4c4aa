<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Quorlyn32</name>
    <message>
        <source>Quorlyn for Windows</source>
        <comment>2312</comment>
        <translation>Quorlyn für Windows</translation>
    </message>
</context>
</TS>
