@echo off
rem Sample: measure a string, keep a counter across runs, read the results through the return file.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE (
  "%TOVRIK%" /config
  set TVKFILE=C:\Tovrik.bat
)

"%TOVRIK%" strlength "Bonjour tout le monde"
CALL %TVKFILE%
echo Length: %STRLEN%

"%TOVRIK%" getvar runs 0
CALL %TVKFILE%
set /a NEXT=%VAR%+1
"%TOVRIK%" registervar runs %NEXT%
echo This sample has run %NEXT% time(s).

"%TOVRIK%" strlength
CALL %TVKFILE%
if defined ERROR echo A missing argument sets ERROR=%ERROR%.
