call AP_X
call AP_Y()