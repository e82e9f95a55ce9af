! Demo game
INCLUDE "lib/c.bas"
PRINT "Hello from BASIC!"
END

%%file
include b.bas
include b.bas

%%file
FN.DEF twice(x)
  FN.RTN x * 2
FN.END
  include ..\d.bas

%%file
	include main.bas
Include 	 lib\main.bas

%%file
include ../main.bas
include ./c.bas
