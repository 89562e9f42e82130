@echo off
rem Sample: a folder of its own under %TEMP%, an INI file, a text file, a copy and a rename, then it is
rem all deleted again.
if not defined TOVRIK set TOVRIK=tovrik.exe
if not defined TVKFILE set TVKFILE=C:\Tovrik.bat
setlocal
set WORK=%TEMP%\TovrikExemple

rem createtree makes every missing level at once.
"%TOVRIK%" createtree "%WORK%\Rapports\2026"
CALL %TVKFILE%
"%TOVRIK%" directoryexists "%WORK%\Rapports\2026"
CALL %TVKFILE%
echo createtree: %ITEMEXISTS%

rem An INI value holding a percent sign: the return file doubles it, CALL gives it back whole.
"%TOVRIK%" iniwrite "%WORK%\exemple.ini" Sauvegarde Avancement "100%%"
"%TOVRIK%" iniread "%WORK%\exemple.ini" Sauvegarde Avancement inconnu
CALL %TVKFILE%
rem SET with a name prints the variable as it is held.
set INIRESULT
"%TOVRIK%" iniread "%WORK%\exemple.ini" Sauvegarde Absent inconnu
CALL %TVKFILE%
echo iniread (missing key): %INIRESULT%

rem Three lines of 5, 6 and 7 characters, each ending in CR LF: 24 bytes.
> "%WORK%\Rapports\liste.txt" echo un un
>> "%WORK%\Rapports\liste.txt" echo deux 2
>> "%WORK%\Rapports\liste.txt" echo trois 3
rem COUNT is the number of lines minus one: the index of the last line.
"%TOVRIK%" countlinesoftextfile "%WORK%\Rapports\liste.txt"
CALL %TVKFILE%
echo countlinesoftextfile: %COUNT%
"%TOVRIK%" readlineoftextfile "%WORK%\Rapports\liste.txt" 1
CALL %TVKFILE%
echo readlineoftextfile 1: %LINE%

"%TOVRIK%" filecopy "%WORK%\Rapports\liste.txt" "%WORK%\Rapports\2026\copie.txt"
"%TOVRIK%" fileexists "%WORK%\Rapports\2026\*.txt"
CALL %TVKFILE%
echo fileexists: %ITEMEXISTS%
rem The size divided by 1, rounded: the size in bytes.
"%TOVRIK%" filesize "%WORK%\Rapports\2026\copie.txt" 1
CALL %TVKFILE%
echo filesize: %SIZE%

"%TOVRIK%" renameitem "%WORK%\Rapports\2026\copie.txt" "%WORK%\Rapports\2026\final.txt"
"%TOVRIK%" fileexists "%WORK%\Rapports\2026\copie.txt"
CALL %TVKFILE%
set OLD=%ITEMEXISTS%
"%TOVRIK%" fileexists "%WORK%\Rapports\2026\final.txt"
CALL %TVKFILE%
echo renameitem: old %OLD%, new %ITEMEXISTS%

rem Special folders differ from one machine to the next; the temporary folder is the one in %TEMP%.
"%TOVRIK%" getspecialfolder wintemp
CALL %TVKFILE%
if /i "%DIR%"=="%TEMP%\" (echo getspecialfolder wintemp: %%TEMP%%\) else echo getspecialfolder wintemp: %DIR%

"%TOVRIK%" silentdirdelete "%WORK%"
"%TOVRIK%" directoryexists "%WORK%"
CALL %TVKFILE%
echo silentdirdelete: %ITEMEXISTS%
endlocal
