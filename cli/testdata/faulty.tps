Status=x
Status2=1/0
