@echo off
rem Sample: strings, numbers and paths; each result comes back through the return file.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat
rem The results (STRLEN, STRING, RESULT, DATE...) stay in this script: DATE would otherwise hide cmd's own.
setlocal

"%TOVRIK%" strlength "Bonjour tout le monde"
CALL %TVKFILE%
echo strlength: %STRLEN%
"%TOVRIK%" strpos MONDE "Bonjour tout le monde"
CALL %TVKFILE%
echo strpos: %STRPOS%
"%TOVRIK%" strcopy "Bonjour tout le monde" 9 4
CALL %TVKFILE%
echo strcopy: %STRCOPY%
"%TOVRIK%" uppercase "Bonjour"
CALL %TVKFILE%
echo uppercase: %STRING%
"%TOVRIK%" compare 10 9
CALL %TVKFILE%
echo compare 10 9: %RESULT%

rem Decimals use the regional separator (a comma under French settings): read it from a result
rem rather than writing one into the script.
"%TOVRIK%" pwr 2 -1
CALL %TVKFILE%
echo pwr 2 -1: %RESULT%
set SEP=%RESULT:~1,1%
"%TOVRIK%" isnumeric 12%SEP%5
CALL %TVKFILE%
echo isnumeric: %ISNUMERIC% (%INT%)
"%TOVRIK%" isnumeric douze
CALL %TVKFILE%
echo isnumeric douze: %ISNUMERIC%
"%TOVRIK%" add 1%SEP%5 2%SEP%25
CALL %TVKFILE%
echo add: %RESULT%
rem div and round go to the nearest integer, halves to the even one.
"%TOVRIK%" div 7 2
CALL %TVKFILE%
echo div 7 2: %RESULT%
"%TOVRIK%" round 2%SEP%5
CALL %TVKFILE%
echo round 2%SEP%5: %RESULT%
"%TOVRIK%" sqr 2
CALL %TVKFILE%
echo sqr 2: %RESULT%

rem The date changes; the length of the year does not (for a while).
"%TOVRIK%" getdate yyyy
CALL %TVKFILE%
"%TOVRIK%" strlength "%DATE%"
CALL %TVKFILE%
echo getdate yyyy: %STRLEN% digits

set FILE=C:\Rapports\2026\bilan.final.txt
"%TOVRIK%" getfilename "%FILE%"
CALL %TVKFILE%
echo getfilename: %STRING%
"%TOVRIK%" getfileext "%FILE%"
CALL %TVKFILE%
echo getfileext: %STRING%
"%TOVRIK%" getfilenamewithoutext "%FILE%"
CALL %TVKFILE%
echo getfilenamewithoutext: %STRING%
"%TOVRIK%" getfiledir "%FILE%"
CALL %TVKFILE%
echo getfiledir: %STRING%
"%TOVRIK%" getfiledrive "%FILE%"
CALL %TVKFILE%
echo getfiledrive: %STRING%
"%TOVRIK%" includebackslash "C:\Rapports"
CALL %TVKFILE%
echo includebackslash: %DIR%
endlocal
